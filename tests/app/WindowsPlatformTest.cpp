// The Windows side of the small platform calls: one window per session, the user's decimal
// separator in map names, and settings that remember a folder named in Cyrillic and emoji.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "app/Settings.h"
#include "app/platform/DecimalSeparator.h"
#include "app/platform/InstanceLock.h"
#include "app/platform/PathText.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using platform::InstanceLock;

TEST(WindowsInstanceLock, SecondTakeInTheSessionIsRefused) {
    const std::string name = "orvane-test-" + std::to_string(::GetCurrentProcessId()) + ".lock";
    const InstanceLock first = platform::TakeInstanceLock(name);
    EXPECT_EQ(first.state, InstanceLock::State::Taken) << first.reason;
    EXPECT_EQ(first.path, "Local\\" + name);
    EXPECT_EQ(platform::TakeInstanceLock(name).state, InstanceLock::State::HeldByOther);
}

// The separator is the one the regional settings show, whatever its script, unless a file name
// cannot hold it.
TEST(WindowsLocale, DecimalSeparatorIsTheUsersAndFitsAFileName) {
    wchar_t text[8] = {};
    ASSERT_GT(::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8), 1);
    const std::string separator = UserDecimalSeparator();
    ASSERT_FALSE(separator.empty());
    EXPECT_EQ(separator.find_first_of("*|\\\":<>?/"), std::string::npos) << separator;
    if (std::wstring(text).find_first_of(L"*|\\\":<>?/") == std::wstring::npos) {
        EXPECT_EQ(PathFromText(separator).native(), std::wstring(text));
    }
}

class WindowsSettingsTest : public test::TempFolderTest {};

TEST_F(WindowsSettingsTest, RemembersACyrillicAndEmojiFolderInOne) {
    // "Игры 🎮" holding "Карты 🗺": the settings file's folder and the folder it
    // remembers.
    const fs::path games = dir_ / PathFromText("\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B \xF0\x9F\x8E\xAE");
    const fs::path maps =
        games / PathFromText("\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B \xF0\x9F\x97\xBA");
    const fs::path file = games / "Orvane" / "settings";
    SaveSettings(file, Settings{maps});
    const LoadedSettings loaded = LoadSettings(file);
    EXPECT_TRUE(loaded.problem.empty()) << loaded.problem;
    EXPECT_EQ(loaded.settings.mapsFolder, maps);
    EXPECT_TRUE(fs::is_regular_file(file));
}

TEST(WindowsSettings, LiveInTheRoamingApplicationData) {
    wchar_t appData[MAX_PATH * 4] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH * 4), 0u);
    EXPECT_EQ(SettingsFile(), fs::path(appData) / "Orvane" / "settings");
}

}  // namespace
}  // namespace orvane

#endif  // _WIN32
