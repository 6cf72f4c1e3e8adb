// Sibling command lines from the committed settings.
#include "lobby/child_command_line.h"

#include <algorithm>
#include <utility>

#include "net/names.h"
#include "net/text_convert.h"
#include "settings/paths.h"
#include "settings/settings.h"

namespace {

constexpr wchar_t kLineStart[] = L" ,?,";

void AddField(std::wstring& line, const std::wstring& field) {
    line += field;
    line += L',';
}

void AddNumber(std::wstring& line, int value) {
    AddField(line, std::to_wstring(value));
}

void AddPath(std::wstring& line, const std::wstring& path) {
    AddField(line, WideFromNarrow(Base64Encode(Utf8FromWide(path))));
}

}  // namespace

std::wstring RoomCommandLine(std::int32_t ownPlayerId, const RoomRecord& room) {
    std::wstring line = kLineStart;
    for (int value :
         {kClientVersion, language, foreground, sound, timestamp, enterexit, ownPlayerId, room.id})
        AddNumber(line, value);
    AddField(line, room.name);
    for (int value : {room.moneyKind, room.windowX, room.windowY, room.state})
        AddNumber(line, value);
    AddPath(line, configDatPath);
    return line;
}

std::wstring TableCommandLine(std::int32_t ownPlayerId, std::int32_t roomKind,
                              const TableRecord& table) {
    std::wstring line = kLineStart;
    for (int value :
         {kClientVersion, language,    foreground,      ownPlayerId, table.roomId(), roomKind,
          table.id(),     tablesize,   table.values[2], autodelay,   skin,           whitechk,
          blackchk,       whitedice,   blackdice,       cube,        skiproll,       skipmove,
          forcedmove,     autobearoff, animate,         animatespeed})
        AddNumber(line, value);
    AddPath(line, savedGamesFolder);
    AddPath(line, configDatPath);
    return line;
}

std::wstring ChatCommandLine(bool isContact, const std::wstring& name, const std::wstring& text) {
    std::wstring line = kLineStart;
    AddNumber(line, kClientVersion);
    AddNumber(line, language);
    AddNumber(line, foreground);
    AddNumber(line, sound);
    AddNumber(line, timestamp);
    AddNumber(line, isContact ? 1 : 0);
    AddField(line, name);
    AddField(line, text);
    return line;
}

std::wstring JoinCommandLine(std::int32_t ownPlayerId, const JoinRecord& join,
                             const std::wstring& nameA, const std::wstring& nameB,
                             const TableRecord& table, std::int32_t roomKind) {
    std::wstring line = kLineStart;
    for (int value : {kClientVersion, language, foreground, sound, join.roomId, 0, join.joinId,
                      join.tableId, join.playerA})
        AddNumber(line, value);
    AddField(line, nameA);
    AddNumber(line, join.playerB);
    AddField(line, nameB);
    for (int value :
         {join.playerA == ownPlayerId ? 1 : 0, table.values[7], table.values[3], table.values[4]})
        AddNumber(line, value);
    line += std::to_wstring(roomKind);
    return line;
}

std::size_t CommandLineLength(const std::wstring& program, const std::wstring& parameters) {
    return program.size() + 3 + parameters.size();
}

namespace {

// Units left for the cut texts when the rest of `program`'s line makes `parameters`.
std::size_t UnitsLeftForTexts(const std::wstring& program, const std::wstring& parameters) {
    const std::size_t used = CommandLineLength(program, parameters) + 1;
    return used < kCommandLineLimit ? kCommandLineLimit - used : 0;
}

// `text` cut to at most `room` units, never inside a character: back over UTF-8
// continuation bytes or over the low half of a surrogate pair.
std::wstring CutAtCharacter(const std::wstring& text, std::size_t room, bool utf8Bytes) {
    if (text.size() <= room) return text;
    const wchar_t mask = utf8Bytes ? 0xC0 : 0xFC00;
    const wchar_t inside = utf8Bytes ? 0x80 : 0xDC00;
    while (room > 0 && (text[room] & mask) == inside)
        --room;
    return text.substr(0, room);
}

}  // namespace

std::wstring FitRoomCommandLine(const std::wstring& program, std::int32_t ownPlayerId,
                                RoomRecord room) {
    const std::wstring name = std::exchange(room.name, L"");
    room.name =
        CutAtCharacter(name, UnitsLeftForTexts(program, RoomCommandLine(ownPlayerId, room)), false);
    return RoomCommandLine(ownPlayerId, room);
}

std::wstring FitChatCommandLine(const std::wstring& program, bool isContact,
                                const std::wstring& name, const std::wstring& text) {
    const std::size_t room = UnitsLeftForTexts(program, ChatCommandLine(isContact, name, L""));
    return ChatCommandLine(isContact, name, CutAtCharacter(text, room, true));
}

std::wstring FitJoinCommandLine(const std::wstring& program, std::int32_t ownPlayerId,
                                const JoinRecord& join, const std::wstring& nameA,
                                const std::wstring& nameB, const TableRecord& table,
                                std::int32_t roomKind) {
    const std::size_t room =
        UnitsLeftForTexts(program, JoinCommandLine(ownPlayerId, join, L"", L"", table, roomKind));
    const std::wstring a =
        CutAtCharacter(nameA, std::max(room / 2, room - std::min(room, nameB.size())), true);
    return JoinCommandLine(ownPlayerId, join, a, CutAtCharacter(nameB, room - a.size(), true),
                           table, roomKind);
}
