// Sibling command lines from the committed settings.
#include "lobby/child_command_line.h"

#include <algorithm>

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

bool FitChatCommandLine(const std::wstring& program, bool isContact, const std::wstring& name,
                        const std::wstring& text, std::wstring& line) {
    // Quotes around the program path, a space, and the terminating zero.
    const std::size_t fixed = program.size() + 4 + ChatCommandLine(isContact, name, L"").size();
    if (fixed > kCommandLineLimit) return false;
    std::size_t keep = std::min(text.size(), kCommandLineLimit - fixed);
    // Never end inside a character: back over UTF-8 continuation bytes.
    if (keep < text.size())
        while (keep > 0 && (text[keep] & 0xC0) == 0x80)
            --keep;
    line = ChatCommandLine(isContact, name, text.substr(0, keep));
    return true;
}
