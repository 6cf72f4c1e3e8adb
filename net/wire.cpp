// Framing and composition of protocol messages.
#include "net/wire.h"

#include "net/names.h"
#include "net/text_convert.h"

namespace {

void SplitDropTrailing(std::string_view text, char separator, std::vector<std::string_view>& out) {
    out.clear();
    ForEachPiece(text, separator, [&out](std::string_view piece) { out.push_back(piece); });
}

std::string Message(std::initializer_list<std::string_view> fields) {
    std::string text;
    for (std::string_view field : fields) {
        text += field;
        text += ',';
    }
    text += '!';
    return text;
}

}  // namespace

void SplitFields(std::string_view message, FieldList& fields) {
    SplitDropTrailing(message, ',', fields);
}

FieldList SplitFields(std::string_view message) {
    FieldList fields;
    SplitFields(message, fields);
    return fields;
}

std::vector<std::string_view> SplitRecords(std::string_view field) {
    std::vector<std::string_view> records;
    SplitDropTrailing(field, ';', records);
    return records;
}

std::vector<std::string_view> SplitItems(std::string_view record) {
    std::vector<std::string_view> items;
    SplitDropTrailing(record, ':', items);
    return items;
}

GreetingCheck CheckGreeting(std::string_view greeting, std::string& token) {
    // Split at every "," keeping the final piece: `73,abc,!` gives 73 / abc / !.
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = greeting.find(',', start);
        if (comma == std::string_view::npos) {
            if (start < greeting.size()) pieces.push_back(greeting.substr(start));
            break;
        }
        pieces.push_back(greeting.substr(start, comma - start));
        start = comma + 1;
    }
    if (pieces.size() != 3 || pieces[2] != "!") return GreetingCheck::Malformed;
    if (TextToInt(pieces[0]) != kClientVersion) return GreetingCheck::OtherVersion;
    token.assign(pieces[1]);
    return GreetingCheck::Valid;
}

std::string ComposeIntroduction(std::string_view token) {
    return Message({IntToText(kClientVersion), token});
}

std::string ComposeAck(std::int32_t number) {
    return Message({"2", IntToText(number)});
}

std::string ComposeNumbered(std::int32_t seq, std::string_view queued) {
    std::string text = IntToText(seq);
    text += ',';
    text += queued;
    return text;
}

std::string ComposeKeepAlive(std::int32_t seq) {
    return ComposeNumbered(seq, "1,0,!");
}

std::string ComposeTimeRequest() {
    return "10,0,!";
}

std::string ComposeLogin(std::wstring_view user, std::wstring_view password) {
    std::string credentials = Utf8FromWide(user);
    credentials += ',';
    credentials += Utf8FromWide(password);
    return Message({"11", Base64Encode(credentials)});
}

std::string ComposePresence(std::int32_t status) {
    return Message({"17", IntToText(status)});
}

std::string ComposeEnterRoom(std::int32_t roomId) {
    return Message({"32", IntToText(roomId)});
}

std::string ComposeLeaveRoom(std::string_view roomIdAsWritten) {
    return Message({"38", roomIdAsWritten});
}

std::string ComposeAddContact(std::wstring_view nickname) {
    return Message({"52", Base64Encode(Utf8FromWide(nickname))});
}

std::string ComposeContactRelation(std::int32_t contactId, std::int32_t relation) {
    return Message({"53", IntToText(contactId) + ":" + IntToText(relation)});
}

std::string ComposeDeleteContact(std::int32_t contactId) {
    return Message({"54", IntToText(contactId)});
}

std::string ComposeJoinAnswer(std::string_view joinId, std::string_view answer) {
    std::string pair(joinId);
    pair += ':';
    pair += answer;
    return Message({"103", pair});
}

std::string ComposeOpenTable(std::int32_t roomId, std::int32_t tableId) {
    return Message({"111", IntToText(roomId) + ":" + IntToText(tableId)});
}

std::string ComposeLeaveTable(std::int32_t tableId) {
    return Message({"112", IntToText(tableId)});
}
