// Records what SetLanguage asked of the window system, one line per call.
#pragma once

#include <string>
#include <vector>

void ClearLanguagePortCalls();
std::vector<std::string> LanguagePortCalls();
