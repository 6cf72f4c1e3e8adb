// The settings files on a real file system: whole-file reads, and config.ini replaced
// only through its temporary file, which no write leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "settings/config_dat.h"
#include "settings/config_files.h"
#include "settings/settings.h"

namespace {

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
        RemoveDirectoryW(ConfigIniTemporaryPath(ini).c_str());
        for (const std::wstring& file : {ini, ConfigIniTemporaryPath(ini), dat})
            DeleteFileW(file.c_str());
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

// A killed writer must leave the old config.ini whole: the bytes go to the temporary
// file, which a failed write removes; a leftover one is replaced or removed at start-up.
TEST_F(ConfigFiles, ConfigIniIsReplacedOnlyThroughItsTemporaryFile) {
    const std::wstring temporary = ConfigIniTemporaryPath(ini);
    ASSERT_TRUE(WriteConfigIni(ini, "old"));
    ASSERT_TRUE(CreateDirectoryW(temporary.c_str(), nullptr));
    EXPECT_FALSE(WriteConfigIni(ini, "new"));
    EXPECT_EQ(ReadWholeFile(ini), "old") << "written in place";
    EXPECT_TRUE(RemoveDirectoryW(temporary.c_str()));

    const std::wstring noFolder = folder + L"\\missing\\config.ini";
    EXPECT_FALSE(WriteConfigIni(noFolder, "x"));
    EXPECT_FALSE(Exists(ConfigIniTemporaryPath(noFolder)));
    // A folder in config.ini's place: the temporary file is written, the move fails.
    EXPECT_TRUE(DeleteFileW(ini.c_str()));
    ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr));
    EXPECT_FALSE(WriteConfigIni(ini, "x"));
    EXPECT_FALSE(Exists(temporary));
    EXPECT_TRUE(RemoveDirectoryW(ini.c_str()));

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
    const std::vector<unsigned char> font(kChatFontBytes, 7);
    SetChatFont(font.data(), RGB(1, 2, 3));
    ASSERT_TRUE(WriteConfigDat(dat));
    EXPECT_EQ(ReadWholeFile(dat).size(), kConfigDatBytes);
    ResetSettingsToDefaults();
    LoadSettingsFiles(dat, ini);
    EXPECT_EQ(chatFont[0] + chatFont[sizeof chatFont - 1], 14);
    EXPECT_EQ(chatFontColour, RGB(1, 2, 3));
}

}  // namespace
