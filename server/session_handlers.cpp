// What the server does with each type of client message: a table from type to handler.
// Types the development server does not act on are listed by name for the log; any other
// type (a sibling's text the hub forwards) is acknowledged and logged as unknown.
#include <ctime>
#include <initializer_list>

#include "net/text_convert.h"
#include "server/accounts.h"
#include "net/escaped_bytes.h"
#include "server/lobby_data.h"
#include "server/lobby_live.h"
#include "server/lobby_requests.h"
#include "server/session.h"

namespace {

void HandleClock(Session& session, const FieldList&) {
    QueueMessage(session, ClockMessage());
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
    QueueMessage(session, MessageText({"11", IntToText(result)}));
    if (result != LOGIN_ACCEPTED) return;

    session.account = account;
    session.lobby = StartLiveLobby(DemoLobby(), account->playerId);
    QueueMessage(session, MessageText({"13", IntToText(account->playerId),
                                       IntToText(account->language), IntToText(account->admin)}));
    QueueMessage(session, MessageText({"14", IntToText(kBalance), IntToText(kPlayMoney),
                                       IntToText(kTokens)}));
    for (const char* line : kNews)
        QueueMessage(session, MessageText({"91", Base64Encode(line)}));
    for (std::string& message : CurrentLobbyMessages(*session.lobby)) {
        QueueMessage(session, std::move(message));
    }
    QueueMessage(session, MessageText({"15", "0"}));
}

void QueueLobbyChange(Session& session, std::string_view what, LobbyChange change) {
    SessionLog(session,
               std::string(what) + ": " + (change.error.empty() ? change.note : change.error));
    for (std::string& message : change.messages)
        QueueMessage(session, std::move(message));
}

// The lobby messages of a player who has logged in: false, and "<what> before a login"
// logged, before a login.
bool LoggedIn(Session& session, const std::string& what) {
    if (session.lobby) return true;
    SessionLog(session, what + " before a login");
    return false;
}

// "32,<room id>,!" and "38,<room id>,!": the player is now in (out of) that room, which
// the client learns as usual.
void HandleEnterOrLeaveRoom(Session& session, const FieldList& fields) {
    const bool enters = TextToInt(FieldAt(fields, 1)) == 32;
    const std::int32_t room = TextToInt(FieldAt(fields, 2));
    const std::string what = (enters ? "enter room " : "leave room ") + IntToText(room);
    if (!LoggedIn(session, what)) return;
    QueueLobbyChange(
        session, what,
        enters ? OwnPlayerEnters(*session.lobby, room) : OwnPlayerLeaves(*session.lobby, room));
}

// "120,<room id>,<Base64>,!" and "121,<table id>,<Base64>,!": a chat line that a room or
// table window typed, which the server repeats to everyone there.
void HandleChatLine(Session& session, const FieldList& fields) {
    std::int32_t type = TextToInt(FieldAt(fields, 1));
    std::int32_t place = TextToInt(FieldAt(fields, 2));
    std::string what = (type == kClientRoomChat ? "chat in room " : "chat at table ") +
                       IntToText(place) + " \"" + Printable(Base64Decode(FieldAt(fields, 3))) +
                       "\"";
    if (!LoggedIn(session, what)) return;
    QueueLobbyChange(session, what, ChatLine(*session.lobby, type, place, FieldAt(fields, 3)));
}

// Contact and presence requests of the logged-in player (52, 53, 54, 17).
void HandleContactOrPresence(Session& session, const FieldList& fields) {
    const std::int32_t type = TextToInt(FieldAt(fields, 1));
    const std::string_view field = FieldAt(fields, 2);
    if (!LoggedIn(session, "message " + IntToText(type))) return;
    LiveLobby& live = *session.lobby;
    switch (type) {
        case 52: {
            const std::string name = Base64Decode(field);
            QueueLobbyChange(session, "add contact \"" + Printable(name) + "\"",
                             ClientAddsContact(live, name));
            break;
        }
        case 53: {
            const std::size_t colon = field.find(':');
            if (colon == std::string_view::npos) {
                SessionLog(session, "contact relation without a relation");
                return;
            }
            QueueLobbyChange(session, "contact relation",
                             ClientSetsRelation(live, TextToInt(field.substr(0, colon)),
                                                TextToInt(field.substr(colon + 1))));
            break;
        }
        case 54:
            QueueLobbyChange(session, "delete contact",
                             ClientRemovesContact(live, TextToInt(field)));
            break;
        default:
            QueueLobbyChange(session, "presence", ClientSetsPresence(live, TextToInt(field)));
            break;
    }
}

// Join requests and private messages of the logged-in player (101, 103, 61).
void HandleJoinOrPrivate(Session& session, const FieldList& fields) {
    const std::int32_t type = TextToInt(FieldAt(fields, 1));
    const std::string_view field = FieldAt(fields, 2);
    if (!LoggedIn(session, "message " + IntToText(type))) return;
    LiveLobby& live = *session.lobby;
    if (type == kClientPrivateMessage) {
        QueueLobbyChange(session, "private message to \"" + Printable(Base64Decode(field)) + "\"",
                         ClientSendsPrivate(live, Base64Decode(field), FieldAt(fields, 3)));
    } else if (type == kClientJoinRequest) {
        QueueLobbyChange(session, "ask to join table " + std::string(field),
                         ClientAsksToJoin(live, TextToInt(field)));
    } else {
        const std::size_t colon = field.find(':');
        const std::string_view answer =
            colon == std::string_view::npos ? std::string_view() : field.substr(colon + 1);
        QueueLobbyChange(
            session, "join answer " + Printable(field),
            ClientAnswersJoin(live, TextToInt(field.substr(0, colon)), TextToInt(answer)));
    }
}

void LogTable(Session& session, const FieldList& fields) {
    std::int32_t type = TextToInt(FieldAt(fields, 1));
    SessionLog(session,
               (type == 111 ? "open table " : "leave table ") + std::string(FieldAt(fields, 2)));
}

struct ClientMessageKind {
    std::int32_t type;
    const char* name;
    void (*handle)(Session&, const FieldList&);  // nullptr: acknowledged, nothing else
};

const ClientMessageKind kClientMessages[] = {
    {1, "keep-alive", nullptr},
    {10, "clock request", HandleClock},
    {11, "login", HandleLogin},
    {17, "presence", HandleContactOrPresence},
    {32, "enter room", HandleEnterOrLeaveRoom},
    {38, "leave room", HandleEnterOrLeaveRoom},
    {52, "add contact", HandleContactOrPresence},
    {53, "contact relation", HandleContactOrPresence},
    {54, "delete contact", HandleContactOrPresence},
    {kClientPrivateMessage, "private message", HandleJoinOrPrivate},
    {kClientJoinRequest, "join request", HandleJoinOrPrivate},
    {103, "join answer", HandleJoinOrPrivate},
    {111, "open table", LogTable},
    {112, "leave table", LogTable},
    {kClientRoomChat, "room chat", HandleChatLine},
    {kClientTableChat, "table chat", HandleChatLine},
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

std::string ClockMessage() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return MessageText({"10", ClockField(local)});
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
