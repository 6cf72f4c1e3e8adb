// The writer of the connection log: a thread that appends what the hub records to the
// file, so no thread that logs waits for the disk.
#pragma once

#include <string>

// Starts the log into `path`; at the cap the file becomes `older` (replacing it).
void StartConnectionLogFile(const std::wstring& path, const std::wstring& older);
// Writes what is still waiting, before the process ends.
void FlushConnectionLogFile();
