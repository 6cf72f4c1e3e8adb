// What the server does with each type of client message: a table from type to handler.
// Types the development server does not act on yet are listed by name for the log.
#include <ctime>
#include <initializer_list>

#include "net/text_convert.h"
#include "server/accounts.h"
#include "server/lobby_data.h"
#include "server/lobby_messages.h"
#include "server/session.h"

namespace {

std::string Queued(std::initializer_list<std::string_view> fields) {
    std::string text;
    for (std::string_view field : fields) {
        text += field;
        text += ',';
    }
    return text + "!";
}

void HandleClock(Session& session, const FieldList&) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    QueueMessage(session, Queued({"10", ClockField(local)}));
}

// Account values every accepted login sees: balance, play money, tokens.
constexpr std::int32_t kBalance = 12345, kPlayMoney = 99999, kTokens = 7;

// News lines (type 91, Base64 of UTF-8) for the hub's news panel.
const char* const kNews[] = {"Welcome to Tavlora!", "Spring cup:", "Saturday 18:00",
                             "Play money rooms", "open all night"};

void HandleLogin(Session& session, const FieldList& fields) {
    std::string text = fields.size() > 2 ? Base64Decode(fields[2]) : std::string();
    const Account* account = FindAccount(text);
    std::int32_t result = LoginResultFor(account);
    SessionLog(session,
               "login of \"" + text.substr(0, text.find(',')) + "\": result " + IntToText(result));
    QueueMessage(session, Queued({"11", IntToText(result)}));
    if (result != LOGIN_ACCEPTED) return;

    session.account = account;
    QueueMessage(session, Queued({"13", IntToText(account->player_id), IntToText(account->language),
                                  IntToText(account->admin)}));
    QueueMessage(session,
                 Queued({"14", IntToText(kBalance), IntToText(kPlayMoney), IntToText(kTokens)}));
    for (const char* line : kNews)
        QueueMessage(session, Queued({"91", Base64Encode(line)}));
    for (std::string& message : LobbyMessages(DemoLobby(), account->player_id)) {
        QueueMessage(session, std::move(message));
    }
    QueueMessage(session, Queued({"15", "0"}));
}

struct ClientMessageKind {
    std::int32_t type;
    const char* name;
    void (*handle)(Session&, const FieldList&);  // nullptr: acknowledged, nothing else
};

const ClientMessageKind kClientMessages[] = {
    {1, "keep-alive", nullptr},      {10, "clock request", HandleClock},
    {11, "login", HandleLogin},      {17, "presence", nullptr},
    {32, "enter room", nullptr},     {38, "leave room", nullptr},
    {52, "add contact", nullptr},    {53, "contact relation", nullptr},
    {54, "delete contact", nullptr}, {103, "join answer", nullptr},
    {111, "open table", nullptr},    {112, "leave table", nullptr},
};

}  // namespace

void DispatchClientMessage(Session& session, std::int32_t type, const FieldList& fields) {
    for (const ClientMessageKind& kind : kClientMessages) {
        if (kind.type != type) continue;
        if (kind.handle != nullptr) {
            kind.handle(session, fields);
        } else if (type != 1) {
            SessionLog(session, std::string(kind.name) + ": not acted on");
        }
        return;
    }
    SessionLog(session, "unknown message type " + IntToText(type));
}

std::string ClockField(const std::tm& t) {
    std::string field;
    for (int value : {t.tm_sec, t.tm_min, t.tm_hour, t.tm_mday, t.tm_mon, t.tm_year, t.tm_wday,
                      t.tm_yday, t.tm_isdst}) {
        if (!field.empty()) field += ':';
        field += IntToText(value);
    }
    return field;
}
