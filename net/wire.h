// The bytes on the wire: framing, fields, records and items, and the composition of
// every message the client sends. Messages are `f0,f1,...,fn,!`; ";" separates the
// records of a list field and ":" the items of a record. There is no escape character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using FieldList = std::vector<std::string_view>;

// Inbound message types (server to client).
enum InboundType : int {
    MSG_SERVER_CLOCK = 10,
    MSG_LOGIN_REPLY = 11,
    MSG_DOUBLE_LOGIN = 12,
    MSG_ACCOUNT_DATA = 13,
    MSG_ACCOUNT_VALUES = 14,
    MSG_INITIAL_DATA_COMPLETE = 15,
    MSG_ACCOUNT_STATUS = 16,
    MSG_PRESENCE = 17,
    MSG_PLAYERS = 21,
    MSG_PLAYER_GONE = 22,
    MSG_ROOMS = 31,
    MSG_ROOM_PRESENCES = 32,
    MSG_ROOM_REMOVED = 33,
    MSG_ROOM_RELAY = 34,
    MSG_ROOM_LEFT = 38,
    MSG_CONTACTS = 51,
    MSG_ADD_CONTACT_RESULT = 52,
    MSG_CONTACT_CHANGED = 53,
    MSG_CONTACT_REMOVED = 54,
    MSG_PRIVATE_MESSAGE = 61,
    MSG_UNDELIVERABLE = 62,
    MSG_TABLES = 71,
    MSG_NEWS = 91,  // a news line for the news panel (Base64 of UTF-8)
    MSG_SEATS = 72,
    MSG_TABLE_REMOVED = 73,
    MSG_JOIN_REQUEST = 101,
    MSG_JOIN_RESULT = 103,
    MSG_SEAT_REMOVED = 112,
    MSG_TABLE_RELAY = 114,
};
inline constexpr int kFirstInboundType = 10;
inline constexpr int kLastInboundType = 114;

// Login results carried by MSG_LOGIN_REPLY.
enum LoginResult : int {
    LOGIN_WRONG_CREDENTIALS = 2,
    LOGIN_SUSPENDED = 3,
    LOGIN_NOT_ACTIVATED = 4,
    LOGIN_ACCEPTED = 5,
};

// Calls visit(piece) for every piece of `entry` between "!" separators, in order,
// including empty pieces; the text after the last "!" (normally empty) is a piece too.
template <class Visit>
void ForEachMessage(std::string_view entry, Visit&& visit) {
    std::size_t start = 0;
    while (true) {
        std::size_t bang = entry.find('!', start);
        if (bang == std::string_view::npos) {
            visit(entry.substr(start));
            return;
        }
        visit(entry.substr(start, bang - start));
        start = bang + 1;
    }
}

// Fields of one message (text without its "!"): split at ","; an empty piece after the
// last "," is not a field, empty pieces between commas are kept. Reuses `fields`.
void SplitFields(std::string_view message, FieldList& fields);
FieldList SplitFields(std::string_view message);
// Field `index`, or "" when the message has fewer fields (which reads as the number 0).
inline std::string_view FieldAt(const FieldList& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string_view();
}

// Calls visit(piece) for every piece of `text` between `separator`s, dropping an empty
// piece after the last separator (as SplitRecords and SplitItems do) without allocating.
template <class Visit>
void ForEachPiece(std::string_view text, char separator, Visit&& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) end = text.size();
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

// Records of a list field (";") or items of a record (":"). An empty piece after the
// last separator is dropped, as with fields.
std::vector<std::string_view> SplitRecords(std::string_view field);
std::vector<std::string_view> SplitItems(std::string_view record);

// --- Handshake lines (not numbered) ---
inline constexpr std::string_view kHandshakeAccepted = "2,!";
inline constexpr std::string_view kHandshakeRefused = "3,!";

enum class GreetingCheck { Valid, Malformed, OtherVersion };
// `<version>,<token>,!`: exactly three pieces at ",", the third exactly "!".
GreetingCheck CheckGreeting(std::string_view greeting, std::string& token);
std::string ComposeIntroduction(std::string_view token);  // `73,<token>,!`

// --- Numbered traffic ---
std::string ComposeAck(std::int32_t number);                             // `2,<n>,!`
std::string ComposeNumbered(std::int32_t seq, std::string_view queued);  // `<seq>,<queued>`
std::string ComposeKeepAlive(std::int32_t seq);                          // `<seq>,1,0,!`

// --- Outbound messages as queued (the sender adds the number) ---
std::string ComposeTimeRequest();  // "10,0,!"
std::string ComposeLogin(std::wstring_view user, std::wstring_view password);
std::string ComposePresence(std::int32_t status);  // "17,<1..4>,!"
std::string ComposeEnterRoom(std::int32_t roomId);
std::string ComposeLeaveRoom(std::string_view roomIdAsWritten);
std::string ComposeAddContact(std::wstring_view nickname);
std::string ComposeContactRelation(std::int32_t contactId, std::int32_t relation);
std::string ComposeDeleteContact(std::int32_t contactId);
std::string ComposeJoinAnswer(std::string_view joinId, std::string_view answer);
std::string ComposeOpenTable(std::int32_t roomId, std::int32_t tableId);
std::string ComposeLeaveTable(std::int32_t tableId);
