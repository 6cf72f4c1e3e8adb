// Sending relay texts and notification codes to the hub's main window.
#include "siblings/sibling_hub_win.h"

#include <string>

#include "net/names.h"
#include "siblings/sibling_log_win.h"
#include "siblings/sibling_text.h"

namespace {

constexpr UINT kHubTimeoutMs = 5000;

}  // namespace

UINT HubMessage() {
    static const UINT message = RegisterWindowMessageW(kRegisteredMessageName);
    return message;
}

void SendToHub(HWND from, std::uint32_t code, std::string_view bytes) {
    std::string data(bytes);
    data += '\0';
    const char* outcome = "no-hub";
    if (HWND hub = FindWindowW(kMainWindowClass, nullptr)) {
        COPYDATASTRUCT copy{};
        copy.dwData = code;
        copy.cbData = static_cast<DWORD>(data.size());
        copy.lpData = data.data();
        DWORD_PTR result = 0;
        bool answered = SendMessageTimeoutW(hub, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                                            reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG,
                                            kHubTimeoutMs, &result) != 0;
        outcome = answered ? "ok" : "timeout";
    }
    WriteLogLine(std::string("out-copydata ") + outcome + " " + std::to_string(code) + " " +
                 EscapeBytes(bytes));
}

void RelayToHub(HWND from, std::uint32_t code, std::string_view payload) {
    SendToHub(from, code, std::string(kRelayPrefix) + std::string(payload));
}

void NotifyHub(std::uint32_t code, std::int64_t lParam) {
    HWND hub = FindWindowW(kMainWindowClass, nullptr);
    bool posted = hub && PostMessageW(hub, HubMessage(), code, static_cast<LPARAM>(lParam));
    WriteLogLine(std::string("out-notify ") + (posted ? "ok " : "no-hub ") + std::to_string(code) +
                 " " + std::to_string(lParam));
}
