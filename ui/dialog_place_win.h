// Placing a dialog over the main window.
#pragma once

#include <windows.h>

// The main window's rectangle; a minimised main window (left edge below -1000) is
// restored first, so that the dialog lands over a visible main window.
RECT VisibleMainWindowRect();
