// The web site's pages the hub opens in the user's browser.
#pragma once

#include <string>

#include "session/ui_port.h"

inline constexpr wchar_t kWebSite[] = L"https://www.tavlora.com/";

// The page's address with the language number appended after its "language=".
std::wstring WebAddress(WebPage page, int language);
