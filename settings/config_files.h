// Reading and writing the two settings files on disk (Win32). Paths are plain wide
// strings so that callers need no Windows headers. Failures are silent: a file that
// cannot be read leaves the defaults, one that cannot be written is simply not written.
#pragma once

#include <string>

#include "settings/config_ini.h"

// The whole file, whatever its size; empty when it cannot be opened or read.
std::string ReadWholeFile(const std::wstring& path);

// Start-up: removes a temporary file left by an interrupted write, reads config.dat
// into the chat font, then applies config.ini to the settings variables and returns
// what else it holds (remembered login, room window positions).
ConfigIniContents LoadSettingsFiles(const std::wstring& configDatPath,
                                    const std::wstring& configIniPath);

// Replaces config.ini with `bytes` so that an interruption at any moment leaves either
// the old or the new file complete: the bytes go to "<path>.new" first, are flushed,
// and then that file is moved over config.ini in one step. Returns false on failure,
// with no temporary file left behind.
bool WriteConfigIni(const std::wstring& path, const std::string& bytes);

// The name of the temporary file that WriteConfigIni uses for `path`.
std::wstring ConfigIniTemporaryPath(const std::wstring& path);

// Deletes the temporary file an interrupted WriteConfigIni may have left.
void RemoveLeftoverConfigIniTemporary(const std::wstring& path);

// Creates config.dat anew from `chatFont` and `chatFontColour` (no sharing while it is
// written: the sibling programs read it only after code 39). False when it cannot.
bool WriteConfigDat(const std::wstring& path);
