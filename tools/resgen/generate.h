// The generator's whole output as files in memory, and writing them to a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "byte_buffer.h"

struct OutputFile {
    std::string path;  // relative, "/"-separated: bmp/<id>.bmp, wav/<id>.wav, tavlora.ico
    Bytes bytes;
};

// Every bitmap, sound and the icon. The same bytes on every call.
std::vector<OutputFile> GenerateResources();

// Writes `files` under `folder`, creating subfolders. Returns an error text, or an empty
// string when every file was written.
std::string WriteResources(const std::filesystem::path& folder,
                           const std::vector<OutputFile>& files);
