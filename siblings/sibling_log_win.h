// The log the sibling programs append to, for tests that watch what the hub sends.
// Path: the environment variable TAVLORA_SIBLING_LOG (a Windows path, or a Unix path
// that is taken as drive Z:), else siblings.log in the program's folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Opens the log for appending; every later line starts with "<program> <id> ".
void OpenSiblingLog(std::string_view program, std::int64_t id);
// Appends "<program> <id> <text>\n" in one write, so lines of several processes that
// share the file never mix.
void WriteLogLine(std::string_view text);

// The bytes of the file `name` in the log's folder (at most 64 KB); empty when missing.
std::string ReadBesideLog(const wchar_t* name);
