// The settings files on disk: whole-file reads and the crash-safe replace of config.ini.
#include "settings/config_files.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "settings/config_dat.h"
#include "settings/settings.h"

static_assert(sizeof(LOGFONTW) == kChatFontBytes);
static_assert(sizeof(COLORREF) == 4);

namespace {

// ReadFile and WriteFile take a 32-bit length; large files go in pieces of this size.
constexpr DWORD kPieceBytes = 1u << 24;
// Read beyond the size the file had when it was opened, in case it grew.
constexpr std::size_t kProbeBytes = 1u << 16;

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD piece = size > kPieceBytes ? kPieceBytes : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, piece, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

}  // namespace

namespace {

// Reads to the end rather than trusting the size: the file may grow meanwhile.
bool ReadToEnd(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    std::size_t expected = 0;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        expected = static_cast<std::size_t>(size.QuadPart);
    }
    bytes.reserve(expected + kProbeBytes);
    while (true) {
        std::size_t had = bytes.size();
        std::size_t want =
            had < expected ? std::min<std::size_t>(expected - had, kPieceBytes) : kProbeBytes;
        bytes.resize(had + want);
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + had, static_cast<DWORD>(want), &got, nullptr)) {
            return false;
        }
        bytes.resize(had + got);
        if (got == 0) return true;
    }
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    bool ok = false;
    try {
        ok = ReadToEnd(file, bytes);
    } catch (const std::bad_alloc&) {
        // A file too large for memory is treated like an unreadable one.
    }
    CloseHandle(file);
    if (!ok) return {};
    return bytes;
}

ConfigIniContents LoadSettingsFiles(const std::wstring& configDatPath,
                                    const std::wstring& configIniPath) {
    RemoveLeftoverConfigIniTemporary(configIniPath);
    ApplyConfigDat(ReadWholeFile(configDatPath));
    return ApplyConfigIni(ReadWholeFile(configIniPath));
}

std::wstring ConfigIniTemporaryPath(const std::wstring& path) {
    return path + L".new";
}

void RemoveLeftoverConfigIniTemporary(const std::wstring& path) {
    DeleteFileW(ConfigIniTemporaryPath(path).c_str());
}

bool WriteConfigIni(const std::wstring& path, const std::string& bytes) {
    const std::wstring temporary = ConfigIniTemporaryPath(path);
    // CREATE_ALWAYS: a leftover of a killed run is simply replaced.
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // The data must be on disk before the move makes it config.ini, or a power loss
    // right after the move could leave a config.ini of the right name but no content.
    bool ok = WriteAll(file, bytes.data(), bytes.size()) && FlushFileBuffers(file);
    CloseHandle(file);
    if (ok) {
        ok = MoveFileExW(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

bool WriteConfigDat(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::string bytes = ComposeConfigDat();
    bool ok = WriteAll(file, bytes.data(), kChatFontBytes) &&
              WriteAll(file, bytes.data() + kChatFontBytes, bytes.size() - kChatFontBytes);
    CloseHandle(file);
    return ok;
}
