// Definitions of the process-wide Win32 handles.
#include "net/hub_handles_win.h"

#include "net/names.h"

HINSTANCE programInstance = nullptr;
HWND mainWindow = nullptr;
const UINT TavloraIntMessage = RegisterWindowMessageW(kRegisteredMessageName);

void SetProgramInstance(HINSTANCE instance) {
    programInstance = instance;
}

void SetMainWindow(HWND window) {
    mainWindow = window;
}
