// Recording UI port for the native tests.
#include "tests/unit/fakes/ui_port_fake.h"

#include "session/ui_port.h"
#include "ui/language.h"
#include "net/text_convert.h"

std::vector<std::string> uiCalls;
std::map<WinId, std::wstring> uiEditTexts;

void ResetUiFake() {
    uiCalls.clear();
    uiEditTexts.clear();
}

const char* WinIdName(WinId window) {
    switch (window) {
        case WinId::Main:
            return "Main";
        case WinId::Connect:
            return "Connect";
        case WinId::StatusLine:
            return "StatusLine";
        case WinId::Error:
            return "Error";
        case WinId::Login:
            return "Login";
        case WinId::LoginUserEdit:
            return "LoginUserEdit";
        case WinId::LoginPasswordEdit:
            return "LoginPasswordEdit";
        case WinId::Clock:
            return "Clock";
        case WinId::LogoffFrame:
            return "LogoffFrame";
        case WinId::Tabs:
            return "Tabs";
        case WinId::News:
            return "News";
        case WinId::HeadMenuBackground:
            return "HeadMenuBackground";
        case WinId::HeadFile:
            return "HeadFile";
        case WinId::HeadOptions:
            return "HeadOptions";
        case WinId::HeadWebsite:
            return "HeadWebsite";
        case WinId::HeadHelp:
            return "HeadHelp";
        case WinId::About:
            return "About";
        case WinId::Settings:
            return "Settings";
        case WinId::Contacts:
            return "Contacts";
        case WinId::ContactsOptions:
            return "ContactsOptions";
        case WinId::ContactsAdd:
            return "ContactsAdd";
        case WinId::RoomColumn1:
            return "RoomColumn1";
        case WinId::RoomColumn2:
            return "RoomColumn2";
        case WinId::RoomColumn3:
            return "RoomColumn3";
        case WinId::TournamentColumn1:
            return "TournamentColumn1";
        case WinId::TournamentColumn2:
            return "TournamentColumn2";
        case WinId::TournamentColumn3:
            return "TournamentColumn3";
        case WinId::CashOut:
            return "CashOut";
        case WinId::Deposit:
            return "Deposit";
        case WinId::EnterRoom:
            return "EnterRoom";
        case WinId::EnterTournament:
            return "EnterTournament";
        case WinId::ResetPlayMoney:
            return "ResetPlayMoney";
        case WinId::CashierBody:
            return "CashierBody";
        case WinId::RoomBody:
            return "RoomBody";
        default:
            return "Window";
    }
}

namespace {
void Record(std::string line) {
    uiCalls.push_back(std::move(line));
}
std::string Name(WinId window) {
    return WinIdName(window);
}
}  // namespace

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
    Record("enable " + Name(window) + (enabled ? " 1" : " 0"));
}
void UiMove(WinId window, int x, int y, int width, int height) {
    Record("move " + Name(window) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
           std::to_string(width) + " " + std::to_string(height));
}
void UiSendCode(WinId window, int code, std::intptr_t lParam) {
    Record("send " + Name(window) + " " + std::to_string(code) + " " + std::to_string(lParam));
}
void UiBroadcastCode(int code, std::intptr_t lParam) {
    Record("broadcast " + std::to_string(code) + " " + std::to_string(lParam));
}
void UiPostClose() {
    Record("post close");
}
int UiEditLength(WinId window) {
    return static_cast<int>(uiEditTexts[window].size());
}
std::wstring UiEditText(WinId window) {
    return uiEditTexts[window];
}
void UiPlaySound(int soundId) {
    Record("sound " + std::to_string(soundId));
}
void UiOpenWebPage(WebPage page, const std::wstring& suffix) {
    Record("web " + std::to_string(static_cast<int>(page)) + Utf8FromWide(suffix));
}
void UiStartConnectionThread() {
    Record("start connection thread");
}
void UiStartTrafficThreads() {
    Record("start traffic threads");
}
void UiSaveOpenRoomPositions() {
    Record("save room positions");
}
void UiShowOwnPresenceOnline() {
    Record("presence online");
}
void UiResetListViews() {
    Record("reset list views");
}
void UiRefreshContacts() {
    Record("refresh contacts");
}
void UiKeepContactsPlace(int left, int top, int width, int height) {
    Record("keep contacts place " + std::to_string(left) + " " + std::to_string(top) + " " +
           std::to_string(width) + " " + std::to_string(height));
}
void UiSetLanguage(int language) {
    Record("set language " + std::to_string(language));
    SetLanguage(language);
}
void UiRefreshRoomList() {
    Record("refresh room list");
}
