// ChatView.exe, the development stand-in for a private conversation: window KXChat.
// It shows and logs everything it receives (siblings/sibling_main_win.cpp).
#include <windows.h>

#include "siblings/sibling_main_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunSibling(SiblingKind::Chat, instance, showCommand);
}
