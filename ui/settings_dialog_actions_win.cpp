// What the settings dialog's buttons do: step a line, Apply, Cancel, and the chat font.
#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "res/resource_ids.h"
#include "session/ui_port.h"
#include "settings/config_files.h"
#include "settings/paths.h"
#include "settings/settings.h"
#include "ui/registry_win.h"
#include "ui/settings_dialog_actions_win.h"
#include "ui/settings_lines.h"
#include "ui/settings_steps.h"
#include "ui/view_state.h"

namespace {

constexpr int kAnimateLine = kAnimateSpeedLine - 1;
constexpr int kFontLine = kSettingsLineCount - 1;
constexpr UINT kBroadcastTimeoutMs = 2000;

void ShowAnimationDelayLine(bool shown) {
    const int command = shown ? SW_SHOW : SW_HIDE;
    ShowWindow(WindowHandle(SettingsCaptionFrame(kAnimateSpeedLine)), command);
    ShowWindow(WindowHandle(SettingsValueFrame(kAnimateSpeedLine)), command);
}

void RepaintValues() {
    for (int line = 0; line < kSettingsLineCount; ++line)
        InvalidateRect(WindowHandle(SettingsValueButton(line)), nullptr, FALSE);
}

void CloseSettingsDialog() {
    EnableWindow(mainWindow, TRUE);
    ShowWindow(WindowHandle(WinId::Settings), SW_HIDE);
}

// The font dialog, then config.dat and the broadcast that makes the siblings read it.
void ChooseChatFont() {
    // The stored record is first made what the font system makes of it.
    LOGFONTW font{};
    static_assert(sizeof font == kChatFontBytes);
    std::memcpy(&font, chatFont, sizeof font);
    if (HFONT made = CreateFontIndirectW(&font)) {
        GetObjectW(made, sizeof font, &font);
        DeleteObject(made);
    }
    SetChatFont(&font, chatFontColour);

    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = mainWindow;
    choice.lpLogFont = &font;
    choice.rgbColors = chatFontColour;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_NOSCRIPTSEL;
    if (!ChooseFontW(&choice)) return;
    SetChatFont(&font, choice.rgbColors);
    WriteConfigDat(configDatPath);  // a failed write still announces the font in memory
    // A bounded send: a hung top-level window of any process must not stop the hub.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, TavloraIntMessage, NC_FONT_CHANGED, 0, SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &ignored);
}

}  // namespace

void StepSettingFromDialog(int line) {
    if (line == kFontLine) {
        ChooseChatFont();
        return;
    }
    StepSettingsLine(line);
    InvalidateRect(WindowHandle(SettingsValueButton(line)), nullptr, FALSE);
    if (line == kAnimateLine) ShowAnimationDelayLine(animatePending == 1);
}

void ApplySettingsDialog() {
    // The sound in force decides, before the copy.
    if (sound == 1) UiPlaySound(SOUND_CLICK);
    for (const SettingBroadcast& change : ApplyPendingSettings()) {
        PostMessageW(HWND_BROADCAST, TavloraIntMessage, static_cast<WPARAM>(change.code),
                     change.value);
    }
    CloseSettingsDialog();
}

void CancelSettingsDialog() {
    if (sound == 1) UiPlaySound(SOUND_CLICK);
    RevertPendingSettings();
    RepaintValues();
    ShowAnimationDelayLine(SettingsLineVisible(kAnimateSpeedLine, settingsPage, animate));
    CloseSettingsDialog();
}
