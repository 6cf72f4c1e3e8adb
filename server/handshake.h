// The unnumbered handshake as the server plays it: the greeting on the inbound (3556)
// connection, the introduction on the outbound (3555) one, and the answer to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "server/script.h"

// A token that no other connection of this run has: "t<counter in hex><4 hex digits>".
std::string MakeToken(std::uint32_t counter);

// The token the greeting carries: for GreetingKind::Long padded with "x" so that the
// greeting has `longSize` bytes (never shorter than the normal greeting).
std::string GreetingToken(const HandshakePlan& plan, std::string token);

// The bytes of the greeting for a connection with `token` (as GreetingToken gives it);
// empty for GreetingKind::None and GreetingKind::Close.
std::string GreetingBytes(const HandshakePlan& plan, std::string_view token);

// The introduction is complete at its first "!"; until then more bytes are awaited.
// Introductions longer than this without a "!" are refused.
inline constexpr std::size_t kIntroductionLimit = 1024;

// `<version>,<token>,!` with this client's version: true and the token, else false.
bool ParseIntroduction(std::string_view introduction, std::string& token);

// The answer bytes, from whether the introduction's token pairs with a waiting inbound
// connection; empty for AnswerKind::None and AnswerKind::Close.
std::string AnswerBytes(const HandshakePlan& plan, bool paired);

// Whether the connections are paired (scenario steps run) after this answer.
bool AnswerPairs(const HandshakePlan& plan, bool tokenKnown);
