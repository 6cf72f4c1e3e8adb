// The network threads' only way to the main window: a posted TavloraIntMessage.
#include <windows.h>

#include "net/hub_handles_win.h"
#include "net/link.h"

void PostToMainWindow(int code, std::uintptr_t argument) {
    PostMessageW(mainWindow, TavloraIntMessage, static_cast<WPARAM>(code),
                 static_cast<LPARAM>(argument));
}
