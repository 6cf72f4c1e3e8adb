// KXDebug.exe, the development stand-in for the diagnostic window KXDebug, which shows the texts
// the hub sends it. It shows and logs everything it receives (siblings/sibling_main_win.cpp).
#include <windows.h>

#include "siblings/sibling_main_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunSibling(SiblingKind::Debug, instance, showCommand);
}
