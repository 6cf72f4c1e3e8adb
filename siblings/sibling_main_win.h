// The whole life of a sibling program: read the command line, log it, show the
// window, run the message loop until the window goes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "siblings/sibling_fields.h"
#include "siblings/sibling_text.h"

// Which program this process is, and its id (room, table or join id; the process id
// for ChatView and KXDebug, which have none).
extern SiblingKind siblingKind;
extern std::int32_t siblingId;
// How it behaves for a test (sibling_text.h, kModeFileName).
extern SiblingMode siblingMode;

// The entry point of each program calls this; returns the process's exit code.
int RunSibling(SiblingKind kind, HINSTANCE instance, int showCommand);
