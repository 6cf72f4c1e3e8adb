// The settings files on a real file system: whole-file reads, the replace of config.ini
// leaving no temporary file, and config.ini surviving a writer killed at random moments.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <iostream>
#include <random>

#include "settings/config_dat.h"
#include "settings/config_files.h"
#include "settings/settings.h"

namespace {

// Started with this switch, the test executable becomes the writer that the interruption
// test kills: it rewrites the file named after the switch until it is terminated.
constexpr wchar_t kWriterSwitch[] = L"--rewrite-config-ini-until-killed=";

std::wstring ReadyEventName(DWORD writerProcessId) {
    return L"TavloraConfigWriterReady" + std::to_wstring(writerProcessId);
}

// The writer's two contents: different sizes and different bytes, so a mixture or a
// torn copy of either can never equal one of them.
std::string SmallContent() {
    return std::string(10 * 1024, 'a') + "end of small";
}
std::string LargeContent() {
    std::string bytes(200 * 1024, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('A' + i % 23);
    return bytes;
}

[[noreturn]] void RewriteUntilKilled(const std::wstring& path) {
    const std::string contents[] = {SmallContent(), LargeContent()};
    for (unsigned round = 0;; ++round) {
        WriteConfigIni(path, contents[round % 2]);
        if (round == 1) {
            HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE,
                                      ReadyEventName(GetCurrentProcessId()).c_str());
            if (ready != nullptr) {
                SetEvent(ready);
                CloseHandle(ready);
            }
        }
    }
}

// Runs before GoogleTest's main, so the writer never starts the test run.
const bool writerModeChecked = [] {
    const wchar_t* switchAt = std::wcsstr(GetCommandLineW(), kWriterSwitch);
    if (switchAt != nullptr) RewriteUntilKilled(switchAt + std::wcslen(kWriterSwitch));
    return true;
}();

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CreateFileHolding(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

class ConfigFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToDefaults();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"tavlora-config-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        ini = folder + L"\\config.ini";
        dat = folder + L"\\config.dat";
    }
    void TearDown() override {
        ResetSettingsToDefaults();
        RemoveDirectoryW(ini.c_str());  // when a test made config.ini a folder
        for (const std::wstring& file : {ini, ConfigIniTemporaryPath(ini), dat}) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring folder, ini, dat;
};

TEST_F(ConfigFiles, WriteThenReadGivesTheSameBytes) {
    std::string big(50 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < big.size(); i += 4096)
        big[i] = static_cast<char>(i / 4096);
    const std::string contents[] = {"first, longer content", "short", big, std::string()};
    for (const std::string& bytes : contents) {
        SCOPED_TRACE(bytes.size());
        ASSERT_TRUE(WriteConfigIni(ini, bytes));
        EXPECT_TRUE(ReadWholeFile(ini) == bytes);
        EXPECT_FALSE(Exists(ConfigIniTemporaryPath(ini)));
    }
    EXPECT_EQ(ReadWholeFile(folder + L"\\missing.ini"), "");
}

// A failed write leaves no temporary file; a leftover one is replaced by the next write
// or removed at start-up.
TEST_F(ConfigFiles, TemporaryFilesDoNotOutliveAWrite) {
    const std::wstring noFolder = folder + L"\\missing\\config.ini";
    EXPECT_FALSE(WriteConfigIni(noFolder, "x"));
    EXPECT_FALSE(Exists(ConfigIniTemporaryPath(noFolder)));
    // A folder in config.ini's place: the temporary file is written, the move fails.
    ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr));
    EXPECT_FALSE(WriteConfigIni(ini, "x"));
    EXPECT_FALSE(Exists(ConfigIniTemporaryPath(ini)));
    EXPECT_TRUE(RemoveDirectoryW(ini.c_str()));

    const std::wstring temporary = ConfigIniTemporaryPath(ini);
    CreateFileHolding(temporary, "a much longer leftover");
    ASSERT_TRUE(WriteConfigIni(ini, "new"));
    EXPECT_EQ(ReadWholeFile(ini), "new");
    CreateFileHolding(temporary, "leftover");
    LoadSettingsFiles(dat, ini);
    EXPECT_FALSE(Exists(temporary));
    EXPECT_EQ(ReadWholeFile(ini), "new");
}

// Start-up reads config.dat too (config.ini's half: e2e test_config).
TEST_F(ConfigFiles, StartUpReadsTheChatFont) {
    std::memset(chatFont, 7, sizeof chatFont);
    chatFontColour = RGB(1, 2, 3);
    ASSERT_TRUE(WriteConfigDat(dat));
    EXPECT_EQ(ReadWholeFile(dat).size(), kConfigDatBytes);
    ResetSettingsToDefaults();
    LoadSettingsFiles(dat, ini);
    EXPECT_EQ(chatFont[0] + chatFont[sizeof chatFont - 1], 14);
    EXPECT_EQ(chatFontColour, RGB(1, 2, 3));
}

// The writer alternates two contents; whenever it is killed, config.ini must be one of
// them, complete.
TEST_F(ConfigFiles, KilledWriterLeavesOneCompleteVersion) {
    const std::string small = SmallContent(), large = LargeContent();
    ASSERT_TRUE(WriteConfigIni(ini, small));
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::mt19937 random(7);
    const int kKills = 50;
    int killedMidWrite = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + kWriterSwitch + ini;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION writer{};
        ASSERT_TRUE(CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE,
                                   CREATE_SUSPENDED, nullptr, nullptr, &startup, &writer));
        HANDLE ready =
            CreateEventW(nullptr, TRUE, FALSE, ReadyEventName(writer.dwProcessId).c_str());
        ResumeThread(writer.hThread);
        EXPECT_EQ(WaitForSingleObject(ready, 60'000), WAIT_OBJECT_0);
        Sleep(random() % 25);
        TerminateProcess(writer.hProcess, 1);
        WaitForSingleObject(writer.hProcess, INFINITE);
        for (HANDLE handle : {ready, writer.hThread, writer.hProcess})
            CloseHandle(handle);

        if (Exists(ConfigIniTemporaryPath(ini))) ++killedMidWrite;
        const std::string now = ReadWholeFile(ini);
        ASSERT_TRUE(now == small || now == large)
            << "kill " << kill << ": config.ini has " << now.size() << " bytes";
    }
    std::cout << "killed while a temporary file existed: " << killedMidWrite << " of " << kKills
              << "\n";
}

}  // namespace
