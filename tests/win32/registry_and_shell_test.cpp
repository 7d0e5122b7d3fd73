#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/known_folder_user_folders.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/registry_profile_store.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_shell.h"
#include "test_window.h"

namespace qrv::win32 {
namespace {

const std::wstring kInstance2 = L"Software\\Tolbrin \\Quorvane by Tolbrin\\Instance 2";

// What the registry itself holds: the value's type and raw bytes.
std::pair<DWORD, std::vector<BYTE>> RawValue(const std::wstring& path, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {REG_NONE, {}};
    }
    DWORD type = REG_NONE;
    std::vector<BYTE> data(4096);
    DWORD size = DWORD(data.size());
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
        type = REG_NONE;
        size = 0;
    }
    RegCloseKey(key);
    data.resize(size);
    return {type, data};
}

class RegistryProfileStoreTest : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolbrin "); }
    RegistryProfileStore store;
};

TEST_F(RegistryProfileStoreTest, ValuesLandUnderTheExactKeyWithTheirTypes) {
    EXPECT_EQ(store.BasePath(), L"Software\\Tolbrin \\Quorvane by Tolbrin");
    ASSERT_TRUE(store.WriteInt("Instance 2", "Count", -7));
    ASSERT_TRUE(store.WriteString("Instance 2", "Verb", "Open"));
    ASSERT_TRUE(store.WriteString("Instance 2", "TextToSpeak", "caf\xC3\xA9 \xE5\x9B\xBE"));

    auto [countType, count] = RawValue(kInstance2, L"Count");
    EXPECT_EQ(countType, DWORD(REG_DWORD));
    EXPECT_EQ(count, (std::vector<BYTE>{0xF9, 0xFF, 0xFF, 0xFF}));
    auto [verbType, verb] = RawValue(kInstance2, L"Verb");
    EXPECT_EQ(verbType, DWORD(REG_SZ));
    EXPECT_EQ(verb, (std::vector<BYTE>{'O', 0, 'p', 0, 'e', 0, 'n', 0, 0, 0}));

    EXPECT_EQ(store.GetInt("Instance 2", "Count", 1), -7);
    EXPECT_EQ(store.GetString("Instance 2", "TextToSpeak", ""), "caf\xC3\xA9 \xE5\x9B\xBE");
    EXPECT_EQ(store.GetString("Instance 2", "Verb", "x"), "Open");
}

// Missing sections and values, and values of the other type, read as the
// caller's default.
TEST_F(RegistryProfileStoreTest, MissingOrMistypedValuesReadAsTheDefault) {
    ASSERT_TRUE(store.WriteString("Settings", "ColumnPD1", "80"));
    ASSERT_TRUE(store.WriteInt("Settings", "Name", 3));
    ASSERT_TRUE(store.WriteString("Settings", "Empty", ""));
    EXPECT_EQ(store.GetInt("Settings", "ColumnPD1", 55), 55);
    EXPECT_EQ(store.GetString("Settings", "Name", "def"), "def");
    EXPECT_EQ(store.GetString("Settings", "Empty", "def"), "");
    EXPECT_EQ(store.GetInt("Instance 9", "Count", 1), 1);
    EXPECT_EQ(store.GetString("Instance 9", "Verb", "Open"), "Open");
    // A string stored without its terminator still reads whole.
    const wchar_t bare[] = {L'a', L'b'};
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, kInstance2.c_str(), L"Bare", REG_SZ, bare, sizeof bare),
        ERROR_SUCCESS);
    EXPECT_EQ(RegistryKey::Open(HKEY_CURRENT_USER, kInstance2).String(L"Bare"),
              std::wstring(L"ab"));
}

class Win32ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() / L"qrv-shell-\x56fe";
        std::filesystem::create_directories(m_dir);
    }
    // The started script may still hold its folder.
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::filesystem::path m_dir;
};

// A script started with the user's verb runs (from a folder whose name is
// not in any code page); missing files start nothing. (Wine falls back to the
// default verb for verbs a file type lacks, so that is not checked here.)
TEST_F(Win32ShellTest, ExecuteStartsTheFileWithTheVerb) {
    const std::filesystem::path marker = m_dir / "marker.txt";
    const std::filesystem::path script = m_dir / L"make marker \x56fe.cmd";
    std::ofstream(script) << "@echo started> \"%~dp0marker.txt\"\r\n";
    Win32Shell shell(false);
    EXPECT_FALSE(shell.Execute("", "open"));
    EXPECT_FALSE(shell.Execute(Narrow((m_dir / "missing.cmd").wstring()), "open"));
    EXPECT_FALSE(std::filesystem::exists(marker));
    ASSERT_TRUE(shell.Execute(Narrow(script.wstring()), "Open"));
    EXPECT_TRUE(PumpUntil([&] { return std::filesystem::exists(marker); }));
    EXPECT_FALSE(shell.Reveal(Narrow((m_dir / "missing.txt").wstring())));
}

TEST(KnownFolderUserFoldersTest, FoldersAreAbsoluteAndTheExportFolderIsMade) {
    KnownFolderUserFolders folders;
    const std::string local = folders.LocalDataFolder();
    const std::string desktop = folders.DesktopFolder();
    for (const std::string& folder : {local, desktop}) {
        EXPECT_TRUE(std::filesystem::path(Widen(folder)).is_absolute()) << folder;
    }
    EXPECT_NE(local, desktop);
    const std::filesystem::path app(Widen(folders.DesktopAppFolder()));
    EXPECT_EQ(app, std::filesystem::path(Widen(desktop)) / L"Quorvane by Tolbrin");
    EXPECT_TRUE(std::filesystem::is_directory(app));
}

}  // namespace
}  // namespace qrv::win32
