// Recording stand-ins for the window system: the UI port, the language port and the
// main window as the network threads see it.
#include "tests/unit/fakes/ui_port_fake.h"

#include <mutex>
#include <sstream>

#include "net/link.h"
#include "net/text_convert.h"
#include "session/ui_port.h"
#include "ui/language.h"
#include "ui/language_port.h"

std::vector<std::string> uiCalls;
std::map<WinId, std::wstring> uiEditTexts;

void ResetUiFake() {
    uiCalls.clear();
    uiEditTexts.clear();
}

namespace {
void Record(std::string line) {
    uiCalls.push_back(std::move(line));
}
// A window by its enumerator; the settings lines' windows by their number.
std::string Name(WinId window) {
    const int number = static_cast<int>(window);
    const int first = static_cast<int>(WinId::FirstSettingsLineWindow);
    const int last = static_cast<int>(WinId::LastSettingsLineWindow);
    if (number >= first && number <= last) return "Window" + std::to_string(number);
    std::istringstream words(
        "Main CloseButton MinimizeButton Connect StatusLine Error ErrorOk ErrorCancel "
        "ErrorOk2 ErrorCancel2 ErrorClose Login LoginFlag1 LoginFlag2 LoginFlag3 LoginFlag4 "
        "LoginLostPassword LoginNewSignup LoginUserEdit LoginPasswordEdit LoginOk "
        "LoginCancel LoginClose Clock LogoffFrame LogoffButton Tabs RoomHead TournamentHead "
        "CashierHead News HeadMenuBackground HeadMenu HeadFile HeadOptions HeadWebsite "
        "HeadHelp About AboutOk AboutClose Settings SettingsCancel SettingsApply "
        "SettingsClose SettingsPage1 SettingsPage2 SettingsPage3 SettingsPage4 "
        "SettingsPageButton1 SettingsPageButton2 SettingsPageButton3 SettingsPageButton4 "
        "RoomColumn1 RoomColumn2 RoomColumn3 TournamentColumn1 TournamentColumn2 "
        "TournamentColumn3 CashOut Deposit RoomBody TournamentBody CashierBody "
        "ResetPlayMoney EnterRoom EnterTournament Contacts ContactsStatusBar ContactsList "
        "ContactsOptions ContactsAdd ContactsAddEdit ContactsAddCancel ContactsAddAdd ");
    std::string word;
    for (int i = 0; i <= number - (number > last ? last - first + 1 : 0); ++i)
        words >> word;
    return word;
}
std::string Numbers(std::initializer_list<std::intptr_t> numbers) {
    std::string text;
    for (std::intptr_t n : numbers)
        text += " " + std::to_string(n);
    return text;
}
}  // namespace

namespace {
std::vector<std::string> languageCalls;
std::mutex postedMutex;
std::vector<int> posted;
}  // namespace

#define RECORDS(function, calls, line) \
    void function() {                  \
        calls.push_back(line);         \
    }
RECORDS(UiPostClose, uiCalls, "post close")
RECORDS(UiStartTrafficThreads, uiCalls, "start traffic threads")
RECORDS(UiSaveOpenRoomPositions, uiCalls, "save room positions")
RECORDS(UiShowOwnPresenceOnline, uiCalls, "presence online")
RECORDS(UiResetListViews, uiCalls, "reset list views")
RECORDS(UiRefreshContacts, uiCalls, "refresh contacts")
RECORDS(UiRefreshRoomList, uiCalls, "refresh room list")
RECORDS(LanguagePortRepaintAll, languageCalls, "repaint")
RECORDS(LanguagePortRelabelContacts, languageCalls, "relabel")
#undef RECORDS
void UiStartConnectionThread(std::uintptr_t) {
    uiCalls.push_back("start connection thread");
}

void UiShow(WinId window) {
    Record("show " + Name(window));
}
void UiHide(WinId window) {
    Record("hide " + Name(window));
}
void UiRepaint(WinId window) {
    Record("repaint " + Name(window));
}
void UiEnable(WinId window, bool enabled) {
    Record("enable " + Name(window) + Numbers({enabled}));
}
void UiMove(WinId window, int x, int y, int width, int height) {
    Record("move " + Name(window) + Numbers({x, y, width, height}));
}
void UiSendCode(WinId window, int code, std::intptr_t lParam) {
    Record("send " + Name(window) + Numbers({code, lParam}));
}
void UiBroadcastCode(int code, std::intptr_t lParam) {
    Record("broadcast" + Numbers({code, lParam}));
}
int UiEditLength(WinId window) {
    return static_cast<int>(uiEditTexts[window].size());
}
std::wstring UiEditText(WinId window) {
    return uiEditTexts[window];
}
void UiPlaySound(int soundId) {
    Record("sound" + Numbers({soundId}));
}
void UiOpenWebPage(WebPage page, const std::wstring& suffix) {
    Record("web " + std::to_string(static_cast<int>(page)) + Utf8FromWide(suffix));
}
void UiKeepContactsPlace(int left, int top, int width, int height) {
    Record("keep contacts place" + Numbers({left, top, width, height}));
}
void UiSetLanguage(int language) {
    Record("set language" + Numbers({language}));
    SetLanguage(language);
}

void ClearLanguagePortCalls() {
    languageCalls.clear();
}
std::vector<std::string> LanguagePortCalls() {
    return languageCalls;
}
void LanguagePortSetFlagCursors(int current) {
    languageCalls.push_back("cursors " + std::to_string(current));
}
void LanguagePortBroadcast(int language) {
    languageCalls.push_back("broadcast " + std::to_string(language));
}

// Thread-safe: the receive loop and the sender post from their own threads.
void PostToMainWindow(int code, std::uintptr_t) {
    std::lock_guard<std::mutex> lock(postedMutex);
    posted.push_back(code);
}
void ClearPostedCodes() {
    std::lock_guard<std::mutex> lock(postedMutex);
    posted.clear();
}
std::vector<int> PostedCodes() {
    std::lock_guard<std::mutex> lock(postedMutex);
    return posted;
}
