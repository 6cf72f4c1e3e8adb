// Reading and writing config.ini's three layers. The reader is lenient by design: every
// record stands alone, and a bad one only leaves its own variable as it was.
#include "settings/config_ini.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "net/names.h"
#include "settings/settings.h"
#include "net/text_convert.h"

namespace {

constexpr std::string_view kFiller = "korbTANEWLpivmsu";
constexpr std::size_t kSmallestReadableFile = 5;
constexpr std::int32_t kOldestReadableVersion = 70;
constexpr int kRoomPositionKey = 30;
constexpr int kTournamentPositionKey = 31;

// The fields of one record. Only the first few are kept: no record uses more than 5,
// and a longer one is rejected by its field count anyway.
struct Fields {
    std::array<std::string_view, 5> text;
    std::size_t count = 0;
};

Fields SplitFields(std::string_view record) {
    Fields fields;
    std::size_t start = 0;
    while (true) {
        std::size_t space = record.find(' ', start);
        std::string_view field = record.substr(start, space - start);
        if (fields.count < fields.text.size()) fields.text[fields.count] = field;
        ++fields.count;
        if (space == std::string_view::npos) return fields;
        start = space + 1;
    }
}

void ApplyOption(const SettingRow& row, std::string_view value) {
    int taken = 0;
    switch (row.rule) {
        case SettingRule::InRange:
            taken = TextToInt(value);
            if (taken < row.minimum || taken > row.maximum) return;
            break;
        case SettingRule::ZeroTurnsOff:
            if (value != "0") return;
            taken = 0;
            break;
        case SettingRule::OneTurnsOn:
            if (value != "1") return;
            taken = 1;
            break;
    }
    SetSetting(row.key, taken);
}

RememberedWindowPosition PositionFrom(const Fields& fields) {
    return {TextToInt(fields.text[1]), TextToInt(fields.text[2]), TextToInt(fields.text[3])};
}

void ApplyRecord(const Fields& fields, ConfigIniContents& contents) {
    std::int32_t key = TextToInt(fields.text[0]);
    switch (key) {
        case 1:
            if (fields.count != 3) return;
            SetMainWindowPosition(TextToInt(fields.text[1]), TextToInt(fields.text[2]));
            return;
        case 2:
            if (fields.count != 5) return;
            SetContactsRect({TextToInt(fields.text[1]), TextToInt(fields.text[2]),
                             TextToInt(fields.text[3]), TextToInt(fields.text[4])});
            return;
        case 3:
            if (fields.count != 3) return;
            contents.userName = WideFromUtf8(fields.text[1]);
            contents.password = WideFromUtf8(fields.text[2]);
            contents.loginPresent = true;
            return;
        case kRoomPositionKey:
            if (fields.count == 4) contents.rooms.push_back(PositionFrom(fields));
            return;
        case kTournamentPositionKey:
            if (fields.count == 4) contents.tournamentRooms.push_back(PositionFrom(fields));
            return;
    }
    if (fields.count != 2) return;
    for (const SettingRow& row : SettingRows()) {
        if (row.key == key) return ApplyOption(row, fields.text[1]);
    }
}

void AppendNumbers(std::string& text, std::initializer_list<std::int32_t> numbers) {
    bool first = true;
    for (std::int32_t number : numbers) {
        if (!first) text += ' ';
        text += IntToText(number);
        first = false;
    }
}

void AppendPositions(std::string& text, int key,
                     const std::vector<RememberedWindowPosition>& positions) {
    for (const RememberedWindowPosition& position : positions) {
        AppendNumbers(text, {key, position.roomId, position.left, position.top});
        text += '!';
    }
}

// The inner text, in the file's fixed record order; the "!" before every option record
// leaves an empty record after key 2 (or 3), which the reader skips.
std::string ComposeInnerText(const ConfigIniWriteInput& input) {
    std::string text = IntToText(kClientVersion);
    text += "!";
    AppendNumbers(text, {1, input.mainWindowLeft, input.mainWindowTop});
    text += "!";
    AppendNumbers(
        text, {2, contactsRect.left, contactsRect.top, contactsRect.width, contactsRect.height});
    text += "!";
    if (!input.loggedInUserName.empty() && !input.loggedInPassword.empty()) {
        text += "3 " + Utf8FromWide(input.loggedInUserName) + " " +
                Utf8FromWide(input.loggedInPassword) + "!";
    }
    for (const SettingRow& row : SettingRows()) {
        text += "!";
        AppendNumbers(text, {row.key, *row.committed});
    }
    text += "!";
    AppendPositions(text, kRoomPositionKey, input.rooms);
    AppendPositions(text, kTournamentPositionKey, input.tournamentRooms);
    return text;
}

}  // namespace

// Both filler functions work on presized buffers: config.ini may be any size.
std::string InsertFillerCharacters(std::string_view middle) {
    const std::size_t groups = (middle.size() + 2) / 3;
    std::string outer(middle.size() + groups, '\0');
    char* out = outer.data();
    for (std::size_t group = 0; group < groups; ++group) {
        std::size_t take = std::min<std::size_t>(3, middle.size() - group * 3);
        std::memcpy(out, middle.data() + group * 3, take);
        out += take;
        *out++ = kFiller[group % kFiller.size()];
    }
    return outer;
}

std::string RemoveFillerCharacters(std::string_view outer) {
    std::string middle(outer.size() - outer.size() / 4, '\0');
    const char* in = outer.data();
    char* out = middle.data();
    for (std::size_t left = outer.size(); left > 0;) {
        std::size_t keep = std::min<std::size_t>(left, 3);
        std::memcpy(out, in, keep);
        out += keep;
        std::size_t step = std::min<std::size_t>(left, 4);
        in += step;
        left -= step;
    }
    return middle;
}

ConfigIniContents ApplyConfigIni(std::string_view fileBytes) {
    ConfigIniContents contents;
    if (fileBytes.size() < kSmallestReadableFile) return contents;
    const std::string inner = Base64Decode(RemoveFillerCharacters(fileBytes));

    bool versionAccepted = false;
    std::size_t start = 0;
    while (start < inner.size()) {
        std::size_t end = inner.find('!', start);
        if (end == std::string::npos) end = inner.size();
        std::string_view record(inner.data() + start, end - start);
        start = end + 1;
        if (record.empty()) continue;
        Fields fields = SplitFields(record);
        if (!versionAccepted) {
            if (fields.count != 1 || TextToInt(fields.text[0]) < kOldestReadableVersion) break;
            versionAccepted = true;
            continue;
        }
        ApplyRecord(fields, contents);
    }
    return contents;
}

std::string ComposeConfigIni(const ConfigIniWriteInput& input) {
    return InsertFillerCharacters(Base64Encode(ComposeInnerText(input)));
}
