// Byte texts written with C-like escapes, as the development server's scenario files and
// control lines and the window probe's arguments take them, and bytes shown readably in a
// log.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Escapes: \xNN (two hex digits), \\, \", \r, \n, \t, \0, \s (space). Anything else after
// a backslash, or a backslash at the end, is an error.
bool DecodeEscapes(std::string_view text, std::string& bytes, std::string& error);
// 0 to 15 for a hex digit of either case, -1 for anything else.
int HexDigitValue(char c);

// Printable ASCII as is, everything else escaped as above; cut after `limit` bytes with a
// note of the full length.
std::string Printable(std::string_view bytes, std::size_t limit = 160);
