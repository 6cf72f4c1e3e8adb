// Recording stand-ins for the window system: every UI port call becomes one line such as
// "hide Connect" or "send Error 3 1", so tests compare whole call sequences; the language
// port and the codes posted to the main window are recorded as well.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "session/window_ids.h"

extern std::vector<std::string> uiCalls;
// Texts of the standard edit controls, by window.
extern std::map<WinId, std::wstring> uiEditTexts;

void ResetUiFake();

void ClearLanguagePortCalls();
std::vector<std::string> LanguagePortCalls();

void ClearPostedCodes();
std::vector<int> PostedCodes();
