// Text lookup by id and language, and the texts chosen by a model value (connect phase,
// link state, presence, error state).
#include "ui/texts.h"

#include <iterator>

#include "settings/settings.h"
#include "ui/text_rows.h"

namespace {

const TextRow* RowOf(TextId id) {
    for (const TextTable* table :
         {&kContactsMenuTexts, &kSettingsTexts, &kDialogTexts, &kMainTexts}) {
        int index = static_cast<int>(id) - static_cast<int>(table->first);
        if (index >= 0) return index < table->count ? &table->rows[index] : nullptr;
    }
    return nullptr;
}

// Error dialog lines per state 2..10; TextId::Count leaves a line empty.
constexpr TextId kNone = TextId::Count;
constexpr std::array<TextId, 4> kErrorLines[] = {
    {TextId::ErrorNoConnection, TextId::ErrorClickOkRetry, kNone, TextId::ErrorCancelToExit},
    {TextId::ErrorVersionObsolete, TextId::ErrorClickOkDownload, kNone, TextId::ErrorCancelToExit},
    {TextId::ErrorLostConnection, TextId::ErrorClickOkRetry, kNone, TextId::ErrorCancelToExit},
    {TextId::ErrorWrongNameOrPassword, TextId::ErrorClickOkRetry, kNone, TextId::ErrorCancelToExit},
    {TextId::ErrorClosedByServer, TextId::ErrorDoubleLogin, kNone, TextId::ErrorProgramWillClose},
    {TextId::ErrorNotActivated, TextId::ErrorClickOkActivate, kNone, TextId::ErrorCancelToExit},
    {TextId::ErrorAccountHasBeen, TextId::ErrorTemporarilySuspended, TextId::ErrorProgramWillClose,
     TextId::ErrorContactSupport},
    {TextId::ErrorDeactivatedByAdmin, TextId::ErrorNewActivationCode, TextId::ErrorToYourEmail,
     TextId::ErrorProgramWillClose},
    {TextId::ErrorScreenTooSmall, TextId::ErrorCannotDisplayTable, kNone,
     TextId::ErrorProgramWillClose},
};
constexpr int kFirstErrorState = 2;

}  // namespace

const wchar_t* TextChars(TextId id, int language) {
    // The error dialog's Cancel starts empty and sets each of the four languages itself,
    // so it has no English fall-back.
    if (id == TextId::ErrorCancel && (language < 1 || language > 4)) return L"";
    const TextRow* row = RowOf(id);
    if (row == nullptr) return L"";
    const wchar_t* text = row->english;
    if (language == 3) {
        if (row->italian != nullptr) text = row->italian;
    } else if (language == 4) {
        if (row->polish != nullptr) text = row->polish;
    } else if (language == 2) {
        if (row->german != nullptr) text = row->german;
    }
    return text;
}

std::wstring TextIn(TextId id, int language) {
    return TextChars(id, language);
}

std::wstring Text(TextId id) {
    return TextIn(id, language);
}

std::wstring ConnectPhaseText(int phase, int language) {
    if (phase < 0 || phase > 3) return std::wstring();
    return TextIn(static_cast<TextId>(static_cast<int>(TextId::ConnectConnecting) + phase),
                  language);
}

std::wstring LinkStateText(int linkState, int language) {
    return TextIn(linkState == 0 ? TextId::StatusOffline : TextId::StatusConnected, language);
}

std::wstring PresenceText(int presence, int language, bool reported) {
    if (reported && presence == 1) return TextIn(TextId::PresenceShownOfflineReported, language);
    if (presence < 0 || presence > 4) return std::wstring();
    return TextIn(static_cast<TextId>(static_cast<int>(TextId::PresenceOffline) + presence),
                  language);
}

std::array<std::wstring, 4> ErrorLines(int errorState, int language) {
    std::array<std::wstring, 4> lines;
    int index = errorState - kFirstErrorState;
    if (index < 0 || index >= static_cast<int>(std::size(kErrorLines))) return lines;
    for (int i = 0; i < 4; ++i) {
        if (kErrorLines[index][i] != kNone) lines[i] = TextIn(kErrorLines[index][i], language);
    }
    return lines;
}

std::wstring JoinTexts(const std::vector<std::wstring>& parts) {
    std::wstring joined;
    for (const std::wstring& part : parts) {
        if (part.empty()) continue;
        if (!joined.empty()) joined += L' ';
        joined += part;
    }
    return joined;
}
