// Start, message loop and end shared by the five sibling programs.
#include "siblings/sibling_main_win.h"

#include <string>

#include "net/names.h"
#include "net/text_convert.h"
#include "siblings/sibling_log_win.h"
#include "siblings/sibling_messages_win.h"
#include "siblings/sibling_window_win.h"

SiblingKind siblingKind = SiblingKind::Debug;
std::int32_t siblingId = 0;
SiblingMode siblingMode = SiblingMode::Normal;

namespace {

std::wstring ClassNameOf(SiblingKind kind, std::int32_t id) {
    std::wstring number = WideFromNarrow(IntToText(id));
    switch (kind) {
        case SiblingKind::Room:
            return kRoomClassPrefix + number;
        case SiblingKind::Board:
            return kTableClassPrefix + number;
        case SiblingKind::Join:
            return kJoinClassPrefix + number;
        case SiblingKind::Chat:
            return L"KXChat";
        case SiblingKind::Debug:
            break;
    }
    return kDebugWindowClass;
}

int Finish(int exitCode) {
    WriteLogLine("exit " + std::to_string(exitCode));
    return exitCode;
}

// Handles whatever arrives but never waits on the queue: the process never counts as
// idle, yet its window answers.
int SpinWithoutWaiting() {
    while (true) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

}  // namespace

int RunSibling(SiblingKind kind, HINSTANCE instance, int showCommand) {
    siblingKind = kind;
    std::wstring arguments = ArgumentsOf(GetCommandLineW());
    std::vector<std::string> values = FieldValues(kind, arguments);
    SiblingIdentity identity = IdentityOf(kind, values);
    bool hasId =
        kind == SiblingKind::Room || kind == SiblingKind::Board || kind == SiblingKind::Join;
    siblingId = hasId ? identity.id : static_cast<std::int32_t>(GetCurrentProcessId());

    OpenSiblingLog(ProgramName(kind), siblingId);
    WriteLogLine("cmdline " + EscapeControls(Utf8FromWide(arguments)));
    siblingMode = ModeFor(ReadBesideLog(kModeFileName), ProgramName(kind), siblingId);
    if (siblingMode != SiblingMode::Normal)
        WriteLogLine(std::string("mode ") + ModeName(siblingMode));
    // Room 0 would take the hub's own class name KXLobby0.
    if (kind == SiblingKind::Room && identity.id <= 0) {
        WriteLogLine("error room id must be positive");
        return Finish(2);
    }

    if (siblingMode == SiblingMode::NoWindow) return Finish(3);
    std::wstring className = ClassNameOf(kind, identity.id);
    HWND window = CreateSiblingWindow(instance, className, WideFromUtf8(identity.title),
                                      identity.hasPosition, identity.x, identity.y);
    if (!window) {
        WriteLogLine("error no window");
        return Finish(1);
    }
    WriteLogLine("window " + Utf8FromWide(className));
    for (const std::string& line : DescribeFields(kind, values))
        ShowLine(ReadableText(line));
    StartHolding(window, kind, identity);
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    if (siblingMode == SiblingMode::NeverIdle) return Finish(SpinWithoutWaiting());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return Finish(static_cast<int>(message.wParam));
}
