// The window's single-instance lock: one holder at a time, only in a folder no other user can
// write, and never through a symlink someone planted.
// The Linux lock file; the Windows mutex is tested in WindowsPlatformTest.cpp.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/platform/InstanceLock.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using platform::InstanceLock;

class InstanceLockTest : public test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        fs::create_directories(dir_ / "home");
        ::mkdir((dir_ / "run").c_str(), 0700);
        ::setenv("HOME", (dir_ / "home").c_str(), 1);
        ::unsetenv("XDG_CACHE_HOME");
        ::setenv("XDG_RUNTIME_DIR", (dir_ / "run").c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        TempFolderTest::TearDown();
    }

    static constexpr const char* kVariables[] = {"HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"};
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(InstanceLockTest, SecondHolderIsToldAnotherInstanceRuns) {
    const InstanceLock first = platform::TakeInstanceLock("a.lock");
    EXPECT_EQ(first.state, InstanceLock::State::Taken);
    EXPECT_EQ(first.path, (dir_ / "run" / "a.lock").string());
    EXPECT_EQ(platform::TakeInstanceLock("a.lock").state, InstanceLock::State::HeldByOther);
}

TEST_F(InstanceLockTest, RuntimeFolderOthersCanWriteIsNotUsed) {
    ::chmod((dir_ / "run").c_str(), 0777);
    fs::create_symlink(dir_ / "victim", dir_ / "run" / "a.lock");
    const InstanceLock lock = platform::TakeInstanceLock("a.lock");
    EXPECT_EQ(lock.state, InstanceLock::State::Taken);
    EXPECT_EQ(lock.path, (dir_ / "home" / ".cache" / "orvane" / "a.lock").string());
    EXPECT_FALSE(fs::exists(dir_ / "victim"));
    struct stat st {};
    ASSERT_EQ(::stat((dir_ / "home" / ".cache" / "orvane").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(InstanceLockTest, PlantedSymlinkIsNeverFollowed) {
    ::unsetenv("XDG_RUNTIME_DIR");
    fs::create_directories(dir_ / "home" / ".cache" / "orvane");
    ::chmod((dir_ / "home" / ".cache" / "orvane").c_str(), 0755);  // narrowed, being the user's
    fs::create_symlink(dir_ / "victim", dir_ / "home" / ".cache" / "orvane" / "a.lock");
    const InstanceLock lock = platform::TakeInstanceLock("a.lock");
    EXPECT_EQ(lock.state, InstanceLock::State::Unavailable);
    EXPECT_NE(lock.reason.find("a.lock"), std::string::npos) << lock.reason;
    EXPECT_FALSE(fs::exists(dir_ / "victim"));
    // A symlinked lock folder is refused as well.
    fs::remove_all(dir_ / "home" / ".cache" / "orvane");
    fs::create_directories(dir_ / "elsewhere");
    fs::create_directory_symlink(dir_ / "elsewhere", dir_ / "home" / ".cache" / "orvane");
    EXPECT_EQ(platform::TakeInstanceLock("a.lock").state, InstanceLock::State::Unavailable);
    EXPECT_TRUE(fs::is_empty(dir_ / "elsewhere"));
}

// Without HOME (a service, a cleared environment) there is still one instance: the home folder
// comes from the password database, as for the settings. This takes a lock in the real cache.
TEST_F(InstanceLockTest, WithoutHomeTheAccountsHomeFolderIsUsed) {
    const passwd* account = ::getpwuid(::getuid());
    if (account == nullptr || account->pw_dir == nullptr || account->pw_dir[0] != '/' ||
        ::access(account->pw_dir, W_OK) != 0)
        GTEST_SKIP() << "no writable home folder in the password database";
    ::unsetenv("HOME");
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string name = "test-" + std::to_string(::getpid()) + ".lock";
    const fs::path expected = fs::path(account->pw_dir) / ".cache" / "orvane" / name;
    const InstanceLock first = platform::TakeInstanceLock(name);
    const InstanceLock second = platform::TakeInstanceLock(name);
    std::error_code ec;
    fs::remove(expected, ec);
    EXPECT_EQ(first.state, InstanceLock::State::Taken) << first.reason;
    EXPECT_EQ(first.path, expected.string());
    EXPECT_EQ(second.state, InstanceLock::State::HeldByOther);
}

}  // namespace
}  // namespace orvane

#endif  // _WIN32
