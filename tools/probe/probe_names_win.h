// Names the probe accepts for window messages and virtual keys.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

// A number, "TavloraIntMessage" (registered), a WM_/BM_ name, or "WM_USER+n"/"WM_APP+n".
std::optional<UINT> MessageFromName(std::string_view name);
// A number, a VK_ name, or one letter or digit.
std::optional<UINT> VirtualKeyFromName(std::string_view name);
// The character WM_CHAR carries for the key, or 0 when the key types nothing.
wchar_t CharacterOfKey(UINT virtualKey);
