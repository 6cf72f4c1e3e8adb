// What the settings lines show: captions, and the texts or swatches of the pending values.
#include "ui/settings_lines.h"

#include "settings/settings.h"

namespace {

enum class ValueKind { YesNo, Delay, TableSize, SaveFormat, Seconds, Click, Swatch };

struct LineValue {
    const int* pending;
    ValueKind kind;
    int swatchBase;  // swatch lines: bitmap id of value 0
};

// Indexed like kSettingStems.
const LineValue kLineValues[kSettingsLineCount] = {
    {&foregroundPending, ValueKind::YesNo, 0},
    {&soundPending, ValueKind::YesNo, 0},
    {&autodelayPending, ValueKind::Delay, 0},
    {&tablesizePending, ValueKind::TableSize, 0},
    {&savePending, ValueKind::SaveFormat, 0},
    {&skinPending, ValueKind::Swatch, 600},
    {&whitechkPending, ValueKind::Swatch, 700},
    {&blackchkPending, ValueKind::Swatch, 700},
    {&whitedicePending, ValueKind::Swatch, 800},
    {&blackdicePending, ValueKind::Swatch, 800},
    {&cubePending, ValueKind::Swatch, 900},
    {&skiprollPending, ValueKind::YesNo, 0},
    {&skipmovePending, ValueKind::YesNo, 0},
    {&forcedmovePending, ValueKind::YesNo, 0},
    {&autobearoffPending, ValueKind::YesNo, 0},
    {&animatePending, ValueKind::YesNo, 0},
    {&animatespeedPending, ValueKind::Seconds, 0},
    {&timestampPending, ValueKind::YesNo, 0},
    {&enterexitPending, ValueKind::YesNo, 0},
    {nullptr, ValueKind::Click, 0},  // the chat font has no pending copy
};

bool ValidLine(int line) {
    return line >= 0 && line < kSettingsLineCount;
}

std::wstring DelayText(int value, int language) {
    if (value < 1 || value > 4) return std::wstring();
    return TextIn(static_cast<TextId>(static_cast<int>(TextId::DelayNone) + value - 1), language);
}

std::wstring TableSizeText(int value) {
    static const wchar_t* const sizes[] = {L"640 x 480", L"800 x 600", L"1024 x 768",
                                           L"1280 x 960"};
    if (value < 1 || value > 4) return std::wstring();
    return sizes[value - 1];
}

std::wstring SaveFormatText(int value, int language) {
    switch (value) {
        case 0:
            return TextIn(TextId::SaveNone, language);
        case 1:
            return L".tav";
        case 2:
            return L".mat";
        case 3:
            return L"Snowie4";
        default:
            return std::wstring();
    }
}

std::wstring SecondsText(int value, int language) {
    if (value < 0 || value > 5) return std::wstring();
    return std::to_wstring(value) +
           TextIn(value == 1 ? TextId::SecondSingular : TextId::SecondPlural, language);
}

}  // namespace

TextId SettingsCaption(int line) {
    if (!ValidLine(line)) return TextId::Count;
    return static_cast<TextId>(static_cast<int>(TextId::CaptionForeground) + line);
}

bool SettingsLineHasSwatch(int line) {
    return ValidLine(line) && kLineValues[line].kind == ValueKind::Swatch;
}

std::wstring SettingsValueText(int line, int language) {
    if (!ValidLine(line)) return std::wstring();
    const LineValue& value = kLineValues[line];
    int pending = value.pending != nullptr ? *value.pending : 0;
    switch (value.kind) {
        case ValueKind::YesNo:
            return TextIn(pending == 1 ? TextId::ValueYes : TextId::ValueNo, language);
        case ValueKind::Delay:
            return DelayText(pending, language);
        case ValueKind::TableSize:
            return TableSizeText(pending);
        case ValueKind::SaveFormat:
            return SaveFormatText(pending, language);
        case ValueKind::Seconds:
            return SecondsText(pending, language);
        case ValueKind::Click:
            return TextIn(TextId::ValueClick, language);
        case ValueKind::Swatch:
            break;
    }
    return std::wstring();
}

int SettingsSwatchBitmap(int line) {
    if (!SettingsLineHasSwatch(line)) return 0;
    return kLineValues[line].swatchBase + *kLineValues[line].pending;
}
