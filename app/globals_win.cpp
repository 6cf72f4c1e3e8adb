// Definitions of the process-wide Win32 handles.
#include "app/globals_win.h"

#include "app/names.h"

HINSTANCE programInstance = nullptr;
HWND mainWindow = nullptr;
const UINT TavloraIntMessage = RegisterWindowMessageW(kRegisteredMessageName);
