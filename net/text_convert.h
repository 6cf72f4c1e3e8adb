// Conversions between the interface's UTF-16 text and the 8-bit text used on the wire,
// in config.ini and in relay texts; Base64; decimal numbers.
//
// Wide text is std::wstring holding UTF-16 code units. On Windows that is what wchar_t
// is; in the native build wchar_t is 32 bits wide, but every element still holds one
// UTF-16 code unit (a character outside the BMP stays a surrogate pair), so results are
// identical in both builds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The standard Base64 alphabet, shared by the encoder and the decoder.
extern const char kBase64Alphabet[65];

// UTF-8 results longer than this many bytes are refused (empty result).
inline constexpr std::size_t kUtf8ResultLimit = 10000;

// Whole text to UTF-8 (lone surrogates become U+FFFD); "" when the result exceeds
// kUtf8ResultLimit bytes.
std::string Utf8FromWide(std::wstring_view wide);
// Whole text from UTF-8; malformed sequences become U+FFFD as Windows does.
std::wstring WideFromUtf8(std::string_view utf8);
// Program-made text (numbers, identifiers): each byte becomes the code unit of the same
// value, up to the first zero byte (the C runtime's conversion in its default locale).
std::wstring WideFromNarrow(std::string_view narrow);

// RFC 4648 with "=" padding.
std::string Base64Encode(std::string_view bytes);
// Stops quietly at the first "=" or at the first character outside the alphabet.
std::string Base64Decode(std::string_view text);

// Leading white space, optional sign, decimal digits; stops at the first other
// character. Not a number, or out of the 32-bit range: 0.
std::int32_t TextToInt(std::string_view text);
std::string IntToText(std::int32_t value);
