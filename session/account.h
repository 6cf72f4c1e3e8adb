// The account data the server sends after a login, and the server clock.
#pragma once

#include <cstdint>

#include "net/wire.h"

extern std::int32_t administratorFlag;  // 1: the File menu offers "Administration"
extern std::int32_t accountBalance;     // in cents
extern std::int32_t playMoney;          // in cents
extern std::int32_t tokens;
extern std::int32_t serverClockOffset;  // seconds: server time minus local time

inline constexpr std::int32_t kFullPlayMoney = 100000;  // no reset offered at this amount
// The File menu panel: one row, or two for an administrator.
inline constexpr int kFileMenuX = 7, kFileMenuY = 98, kFileMenuWidth = 125, kMenuRowHeight = 20;

void OnServerClock(const FieldList& fields);
void OnAccountData(const FieldList& fields);
void OnAccountValues(const FieldList& fields);

// The server clock offset for a server calendar time given as nine ":"-separated
// integers (seconds, minutes, hours, day, month 0-11, years since 1900, weekday,
// day of year, daylight-saving flag), read against the local time `now`.
// False (offset unchanged) when fewer than nine items arrive.
bool ServerClockOffset(std::string_view clockField, std::int64_t now, std::int32_t& offset);
