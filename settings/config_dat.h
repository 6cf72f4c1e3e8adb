// config.dat: the chat font record, exactly 96 bytes: the 92-byte LOGFONTW then the
// 4-byte COLORREF, both little-endian as in memory. The sibling programs read it too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kConfigDatBytes = 96;

// Takes `chatFont` and `chatFontColour` from the bytes when there are exactly 96 of
// them; any other size changes nothing and returns false.
bool ApplyConfigDat(std::string_view bytes);

// The 96 bytes of the current `chatFont` and `chatFontColour`.
std::string ComposeConfigDat();
