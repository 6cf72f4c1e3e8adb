// Handlers of the account data (13), account values (14) and server clock (10).
#include "session/account.h"

#include <ctime>

#include "session/ui_port.h"
#include "lobby/lobby_state.h"
#include "net/text_convert.h"

std::int32_t administratorFlag = 0;
std::int32_t accountBalance = 0;
std::int32_t playMoney = 0;
std::int32_t tokens = 0;
std::int32_t serverClockOffset = 0;

bool ServerClockOffset(std::string_view clockField, std::int64_t now, std::int32_t& offset) {
    std::vector<std::string_view> items = SplitItems(clockField);
    if (items.size() < 9) return false;
    std::time_t local = static_cast<std::time_t>(now);
    std::tm calendar = *std::localtime(&local);
    int* parts[9] = {&calendar.tm_sec,  &calendar.tm_min,  &calendar.tm_hour,
                     &calendar.tm_mday, &calendar.tm_mon,  &calendar.tm_year,
                     &calendar.tm_wday, &calendar.tm_yday, &calendar.tm_isdst};
    for (int i = 0; i < 9; ++i)
        *parts[i] = TextToInt(items[i]);
    std::time_t server = std::mktime(&calendar);
    if (server == static_cast<std::time_t>(-1)) return false;
    offset = static_cast<std::int32_t>(static_cast<std::int64_t>(server) - now);
    return true;
}

void OnServerClock(const FieldList& fields) {
    std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    ServerClockOffset(FieldAt(fields, 2), now, serverClockOffset);
}

void OnAccountData(const FieldList& fields) {
    SetOwnPlayerId(TextToInt(FieldAt(fields, 2)));
    UiSetLanguage(TextToInt(FieldAt(fields, 3)));
    administratorFlag = TextToInt(FieldAt(fields, 4));
    // The second row ("Administration") is reachable only inside the box.
    const int rows = administratorFlag == 1 ? 2 : 1;
    UiMove(WinId::HeadFile, kFileMenuX, kFileMenuY, kFileMenuWidth, rows * kMenuRowHeight);
}

void OnAccountValues(const FieldList& fields) {
    accountBalance = TextToInt(FieldAt(fields, 2));
    playMoney = TextToInt(FieldAt(fields, 3));
    tokens = TextToInt(FieldAt(fields, 4));
    if (playMoney == kFullPlayMoney)
        UiHide(WinId::ResetPlayMoney);
    else
        UiShow(WinId::ResetPlayMoney);
    UiRepaint(WinId::CashierBody);
}
