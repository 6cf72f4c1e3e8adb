// Command-line fields of the sibling programs.
#include "siblings/sibling_fields.h"

#include <cstddef>
#include <iterator>

#include "net/text_convert.h"

namespace {

enum class FieldType {
    Number,
    Text,        // UTF-16 text
    ByteText,    // received bytes (UTF-8) widened one byte per code unit
    Base64Path,  // Base64 of the UTF-8 bytes of a path
};

struct FieldDescription {
    const char* name;
    FieldType type;
};

using F = FieldType;

constexpr FieldDescription kRoomFields[] = {
    {"version", F::Number},       {"language", F::Number},
    {"foreground", F::Number},    {"sound", F::Number},
    {"timestamp", F::Number},     {"enterexit", F::Number},
    {"own player id", F::Number}, {"room id", F::Number},
    {"room name", F::Text},       {"money kind", F::Number},
    {"window x", F::Number},      {"window y", F::Number},
    {"room state", F::Number},    {"config.dat path", F::Base64Path},
};
enum RoomField { ROOM_ID = 7, ROOM_NAME = 8, ROOM_X = 10, ROOM_Y = 11, ROOM_STATE = 12 };

constexpr FieldDescription kBoardFields[] = {
    {"version", F::Number},
    {"language", F::Number},
    {"foreground", F::Number},
    {"own player id", F::Number},
    {"room id", F::Number},
    {"room kind", F::Number},
    {"table id", F::Number},
    {"tablesize", F::Number},
    {"table value 2", F::Number},
    {"autodelay", F::Number},
    {"skin", F::Number},
    {"whitechk", F::Number},
    {"blackchk", F::Number},
    {"whitedice", F::Number},
    {"blackdice", F::Number},
    {"cube", F::Number},
    {"skiproll", F::Number},
    {"skipmove", F::Number},
    {"forcedmove", F::Number},
    {"autobearoff", F::Number},
    {"animate", F::Number},
    {"animatespeed", F::Number},
    {"saved games folder", F::Base64Path},
    {"config.dat path", F::Base64Path},
};
enum BoardField { BOARD_ROOM_ID = 4, BOARD_TABLE_ID = 6 };

constexpr FieldDescription kJoinFields[] = {
    {"version", F::Number},         {"language", F::Number},      {"foreground", F::Number},
    {"sound", F::Number},           {"room id", F::Number},       {"zero", F::Number},
    {"join id", F::Number},         {"table id", F::Number},      {"player A id", F::Number},
    {"player A name", F::ByteText}, {"player B id", F::Number},   {"player B name", F::ByteText},
    {"A is own player", F::Number}, {"table value 7", F::Number}, {"table value 3", F::Number},
    {"table value 4", F::Number},   {"room kind", F::Number},
};
enum JoinField { JOIN_ID = 6, JOIN_NAME_A = 9, JOIN_NAME_B = 11 };

constexpr FieldDescription kChatFields[] = {
    {"version", F::Number},    {"language", F::Number},  {"foreground", F::Number},
    {"sound", F::Number},      {"timestamp", F::Number}, {"is contact", F::Number},
    {"partner name", F::Text}, {"message", F::ByteText},
};
enum ChatField { CHAT_NAME = 6 };

struct SiblingFieldList {
    const FieldDescription* fields;
    std::size_t count;
};

SiblingFieldList FieldsOf(SiblingKind kind) {
    switch (kind) {
        case SiblingKind::Room:
            return {kRoomFields, std::size(kRoomFields)};
        case SiblingKind::Board:
            return {kBoardFields, std::size(kBoardFields)};
        case SiblingKind::Join:
            return {kJoinFields, std::size(kJoinFields)};
        case SiblingKind::Chat:
            return {kChatFields, std::size(kChatFields)};
        case SiblingKind::Debug:
            break;
    }
    return {nullptr, 0};
}

std::vector<std::wstring> SplitAtCommas(std::wstring_view text) {
    std::vector<std::wstring> pieces;
    if (text.empty()) return pieces;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(L',', start);
        pieces.emplace_back(text.substr(start, comma - start));
        if (comma == std::wstring_view::npos) break;
        start = comma + 1;
    }
    // The lines end with a comma after the last field: no empty field after it.
    if (text.back() == L',') pieces.pop_back();
    return pieces;
}

template <class Text>
bool IsDecimal(Text text) {
    if (!text.empty() && text[0] == '-') text.remove_prefix(1);
    if (text.empty()) return false;
    for (auto c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// Gives `extra` surplus pieces to the text fields: for each text field how many more
// pieces it takes. Later text fields are preferred (a chat message holds commas more
// often than a name); a split that leaves a number field non-numeric is refused.
std::vector<std::size_t> ShareSurplus(SiblingFieldList list,
                                      const std::vector<std::wstring>& pieces, std::size_t extra) {
    std::vector<std::size_t> texts;
    for (std::size_t i = 0; i < list.count; ++i)
        if (list.fields[i].type == F::Text || list.fields[i].type == F::ByteText)
            texts.push_back(i);
    std::vector<std::size_t> share(list.count, 0);
    if (texts.empty() || extra == 0) return share;
    auto fits = [&](const std::vector<std::size_t>& candidate) {
        std::size_t piece = 0;
        for (std::size_t i = 0; i < list.count; ++i) {
            if (list.fields[i].type == F::Number && !IsDecimal(std::wstring_view(pieces[piece])))
                return false;
            piece += 1 + candidate[i];
        }
        return true;
    };
    // At most two text fields per program: the first takes `first`, the last the rest.
    std::size_t firstText = texts.front(), lastText = texts.back();
    std::size_t firstMax = texts.size() > 1 ? extra : 0;
    for (std::size_t first = 0; first <= firstMax; ++first) {
        std::vector<std::size_t> candidate(list.count, 0);
        candidate[lastText] = extra - first;
        if (texts.size() > 1) candidate[firstText] = first;
        if (fits(candidate)) return candidate;
    }
    share[lastText] = extra;
    return share;
}

std::string ConvertField(FieldType type, std::wstring_view raw) {
    switch (type) {
        case F::Number:
        case F::Text:
            return Utf8FromWide(raw);
        case F::ByteText: {
            std::string bytes;
            for (wchar_t unit : raw) {
                if (static_cast<unsigned>(unit) <= 0xFF)
                    bytes += static_cast<char>(unit);
                else
                    bytes += Utf8FromWide(std::wstring_view(&unit, 1));
            }
            return bytes;
        }
        case F::Base64Path:
            return Base64Decode(Utf8FromWide(raw));
    }
    return {};
}

}  // namespace

const char* ProgramName(SiblingKind kind) {
    // In the order of SiblingKind.
    static constexpr const char* kNames[] = {"RoomView", "BoardView", "JoinView", "ChatView",
                                             "KXDebug"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(SiblingKind::Debug) + 1);
    return kNames[static_cast<int>(kind)];
}

std::wstring ArgumentsOf(std::wstring_view commandLine) {
    std::size_t end;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring_view::npos) end = commandLine.size();
    }
    if (end < commandLine.size() && (commandLine[end] == L' ' || commandLine[end] == L'\t')) ++end;
    return std::wstring(commandLine.substr(end));
}

std::vector<std::string> FieldValues(SiblingKind kind, std::wstring_view arguments) {
    std::size_t start = arguments.find_first_not_of(L" \t");
    arguments.remove_prefix(start == std::wstring_view::npos ? arguments.size() : start);
    // Started by hand (wine prog.exe " ,?,..."), the parameters arrive quoted; the hub
    // never quotes, and its lines never start with a quote.
    if (arguments.size() >= 2 && arguments.front() == L'"' && arguments.back() == L'"') {
        arguments.remove_prefix(1);
        arguments.remove_suffix(1);
        start = arguments.find_first_not_of(L" \t");
        arguments.remove_prefix(start == std::wstring_view::npos ? arguments.size() : start);
    }
    // The first two fields are always " " and "?": nothing to read in them.
    if (arguments.substr(0, 3) == L",?,")
        arguments.remove_prefix(3);
    else if (arguments.substr(0, 2) == L"?,")
        arguments.remove_prefix(2);
    std::vector<std::wstring> pieces = SplitAtCommas(arguments);

    SiblingFieldList list = FieldsOf(kind);
    std::vector<std::string> values;
    std::size_t extra = pieces.size() > list.count ? pieces.size() - list.count : 0;
    std::vector<std::size_t> share = ShareSurplus(list, pieces, extra);
    std::size_t piece = 0;
    for (std::size_t i = 0; i < list.count; ++i) {
        std::wstring raw;
        for (std::size_t taken = 0; taken <= share[i] && piece < pieces.size(); ++taken) {
            if (taken > 0) raw += L',';
            raw += pieces[piece++];
        }
        values.push_back(ConvertField(list.fields[i].type, raw));
    }
    for (; piece < pieces.size(); ++piece)
        values.push_back(Utf8FromWide(pieces[piece]));
    return values;
}

std::vector<std::string> DescribeFields(SiblingKind kind, const std::vector<std::string>& values) {
    SiblingFieldList list = FieldsOf(kind);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string name =
            i < list.count ? list.fields[i].name : "unexpected field " + std::to_string(i + 1);
        lines.push_back(name + " " + values[i]);
    }
    return lines;
}

SiblingIdentity IdentityOf(SiblingKind kind, const std::vector<std::string>& values) {
    auto value = [&](std::size_t index) {
        return index < values.size() ? values[index] : std::string();
    };
    SiblingIdentity identity;
    switch (kind) {
        case SiblingKind::Room:
            identity.id = TextToInt(value(ROOM_ID));
            identity.title = "Room " + IntToText(identity.id) + " - " + value(ROOM_NAME);
            identity.roomId = identity.id;
            identity.roomName = value(ROOM_NAME);
            identity.roomState = value(ROOM_STATE);
            identity.hasPosition = IsDecimal(std::string_view(value(ROOM_X))) &&
                                   IsDecimal(std::string_view(value(ROOM_Y)));
            identity.x = TextToInt(value(ROOM_X));
            identity.y = TextToInt(value(ROOM_Y));
            break;
        case SiblingKind::Board:
            identity.id = TextToInt(value(BOARD_TABLE_ID));
            identity.roomId = TextToInt(value(BOARD_ROOM_ID));
            identity.title = "Table " + IntToText(identity.id) + " - room " +
                             IntToText(TextToInt(value(BOARD_ROOM_ID)));
            break;
        case SiblingKind::Join:
            identity.id = TextToInt(value(JOIN_ID));
            identity.title = "Join " + IntToText(identity.id) + " - " + value(JOIN_NAME_A) + " / " +
                             value(JOIN_NAME_B);
            break;
        case SiblingKind::Chat:
            identity.title = "Chat - " + value(CHAT_NAME);
            identity.partner = value(CHAT_NAME);
            break;
        case SiblingKind::Debug:
            identity.title = "KXDebug";
            break;
    }
    return identity;
}
