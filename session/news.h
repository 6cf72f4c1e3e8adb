// The news panel's lines, sent by the server as message type 91: one line of text as
// Base64 of its UTF-8 bytes. The panel shows the newest lines that fit.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "net/wire.h"

// Lines the panel can show (250 pixels less the 50-pixel title, 20 a line); older ones go.
inline constexpr std::size_t kMaxNewsLines = 10;

extern std::vector<std::wstring> newsLines;  // oldest first

void OnNews(const FieldList& fields);
// Before a reconnect: the server sends its news again.
void ClearNews();
