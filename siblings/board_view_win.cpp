// BoardView.exe, the development stand-in for a game table: window KXTable<table id>, reports code
// 36 to the hub when closed. It shows and logs everything it receives
// (siblings/sibling_main_win.cpp).
#include <windows.h>

#include "siblings/sibling_main_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunSibling(SiblingKind::Board, instance, showCommand);
}
