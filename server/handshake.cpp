// Greeting, introduction and answer bytes of the handshake.
#include "server/handshake.h"

#include "net/text_convert.h"
#include "net/wire.h"

std::string MakeToken(std::uint32_t counter) {
    static const char digits[] = "0123456789abcdef";
    std::string token = "t";
    std::string count;
    for (std::uint32_t c = counter; c != 0 || count.empty(); c >>= 4)
        count += digits[c & 15];
    token.append(count.rbegin(), count.rend());
    // Four more digits that look random, so tokens of consecutive connections differ in
    // more than their last character.
    std::uint32_t mixed = (counter * 2654435761u) >> 16;
    for (int shift = 12; shift >= 0; shift -= 4)
        token += digits[(mixed >> shift) & 15];
    return token;
}

std::string GreetingToken(const HandshakePlan& plan, std::string token) {
    if (plan.greeting != GreetingKind::Long) return token;
    std::int64_t length =
        static_cast<std::int64_t>(IntToText(plan.version).size() + token.size() + 3);
    if (plan.longSize > length) token.append(static_cast<std::size_t>(plan.longSize - length), 'x');
    return token;
}

std::string GreetingBytes(const HandshakePlan& plan, std::string_view token) {
    switch (plan.greeting) {
        case GreetingKind::None:
        case GreetingKind::Close:
            return {};
        case GreetingKind::Raw:
            return plan.greetingBytes;
        case GreetingKind::Normal:
        case GreetingKind::Long:
            break;
    }
    return IntToText(plan.version) + "," + std::string(token) + ",!";
}

bool ParseIntroduction(std::string_view introduction, std::string& token) {
    return CheckGreeting(introduction, token) == GreetingCheck::Valid;
}

std::string AnswerBytes(const HandshakePlan& plan, bool paired) {
    switch (plan.answer) {
        case AnswerKind::Normal:
            return std::string(paired ? kHandshakeAccepted : kHandshakeRefused);
        case AnswerKind::Refuse:
            return std::string(kHandshakeRefused);
        case AnswerKind::None:
        case AnswerKind::Close:
            return {};
        case AnswerKind::Raw:
            return plan.answerBytes;
    }
    return {};
}

bool AnswerPairs(const HandshakePlan& plan, bool tokenKnown) {
    if (!tokenKnown) return false;
    return plan.answer == AnswerKind::Normal || plan.answer == AnswerKind::None ||
           plan.answer == AnswerKind::Raw;
}
