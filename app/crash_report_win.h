// What the hub does when it crashes: an access violation or another fatal exception on
// any thread, or an exception nothing catches (std::terminate), writes a minidump to
// "crashes" beside the settings files (the newest five are kept), tells the player in
// their language where it is, and ends the process. The settings files are not written.
#pragma once

#include <string>

// Installed once the settings folder is known, before the first window and thread.
void InstallCrashReport(const std::wstring& settingsFolder);
