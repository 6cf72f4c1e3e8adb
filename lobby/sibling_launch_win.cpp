// ShellExecuteExW of the sibling programs.
#include "lobby/sibling_launch_win.h"

#include <windows.h>
#include <shellapi.h>

#include "settings/paths.h"
#include "lobby/child_command_line.h"

void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text) {
    const std::wstring program = ProgramFolder + L"ChatView.exe";
    const std::wstring parameters = ChatCommandLine(isContact, name, text);
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof launch;
    launch.fMask = SEE_MASK_NOCLOSEPROCESS;
    launch.lpVerb = L"open";
    launch.lpFile = program.c_str();
    launch.lpParameters = parameters.c_str();
    launch.nShow = SW_SHOWNORMAL;
    // A missing ChatView.exe simply shows nothing.
    if (ShellExecuteExW(&launch) && launch.hProcess != nullptr) CloseHandle(launch.hProcess);
}
