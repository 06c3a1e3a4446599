// Saves under failing system calls and on file systems that lack one: a clear error, the earlier
// file of that name as it was, and nothing else left in the folder; or, where a fallback
// exists, a correct save that still never replaces an unseeded map.
// The Linux calls; the Windows ones are tested in WindowsSaveTest.cpp.
#ifndef _WIN32
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/LevelStore.h"
#include "app/platform/SaveFile.h"
#include "core/RunError.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using platform::SaveCalls;

// What the faulty calls do: 0 passes the call to the system, anything else is its errno.
struct Rules {
    int open = 0;             // every open
    int tmpfile = 0;          // opening an unnamed temporary
    int write = 0;            // every write
    bool shortWrite = false;  // the first write stores half, the next fail with `write`
    int fileSync = 0;
    int folderSync = 0;
    int link = 0;
    int rename = 0;              // every rename
    int noReplace = 0;           // a rename that must not replace
    bool killOnPlacing = false;  // SIGKILL at the rename of a temporary over a map's name
};
Rules gRules;
int gWrites = 0;
std::multiset<std::string> gPlacedBy;  // the successful calls that named a file
std::vector<std::string> gWrittenTo;   // the name of the file of every write
const SaveCalls gReal = platform::DefaultSaveCalls();

int Failed(int err) {
    errno = err;
    return -1;
}

SaveCalls FaultyCalls() {
    return {
        [](int dir, const char* path, int flags, mode_t mode) {
            if (gRules.open) return Failed(gRules.open);
            if ((flags & O_TMPFILE) == O_TMPFILE && gRules.tmpfile) return Failed(gRules.tmpfile);
            const int fd = gReal.openat(dir, path, flags, mode);
            if (fd >= 0 && (flags & O_EXCL) && std::string(path).find(".orvane-") != 0)
                gPlacedBy.insert("create");
            return fd;
        },
        [](int fd, const void* data, std::size_t size) -> ssize_t {
            std::error_code ec;
            gWrittenTo.push_back(
                fs::read_symlink("/proc/self/fd/" + std::to_string(fd), ec).filename());
            if (gRules.shortWrite && gWrites++ == 0) return gReal.write(fd, data, size / 2);
            if (gRules.write) return Failed(gRules.write);
            return gReal.write(fd, data, size);
        },
        [](int fd) {
            struct stat st {};
            ::fstat(fd, &st);
            const int err = S_ISDIR(st.st_mode) ? gRules.folderSync : gRules.fileSync;
            return err ? Failed(err) : gReal.fsync(fd);
        },
        [](int fromDir, const char* from, int toDir, const char* to, int flags) {
            if (gRules.link) return Failed(gRules.link);
            const int r = gReal.linkat(fromDir, from, toDir, to, flags);
            if (r == 0) gPlacedBy.insert(flags ? "link unnamed" : "link");
            return r;
        },
        [](int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
            if ((flags & RENAME_NOREPLACE) && gRules.noReplace) return Failed(gRules.noReplace);
            if (gRules.rename) return Failed(gRules.rename);
            if (gRules.killOnPlacing && std::string(to).rfind(".orvane-", 0) != 0)
                ::kill(::getpid(), SIGKILL);
            const int r = gReal.renameat2(fromDir, from, toDir, to, flags);
            if (r == 0) gPlacedBy.insert(flags ? "rename noreplace" : "rename");
            return r;
        },
    };
}

class SaveFaultTest : public test::TempFolderTest {
  protected:
    void TearDown() override {
        platform::ActiveSaveCalls() = platform::DefaultSaveCalls();
        TempFolderTest::TearDown();
    }

    void Use(const Rules& rules) {
        gRules = rules;
        gWrites = 0;
        gPlacedBy.clear();
        gWrittenTo.clear();
        platform::ActiveSaveCalls() = FaultyCalls();
    }
    void Put(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::set<std::string> Names() {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename());
        return names;
    }
    std::string Save(const std::string& name, const std::string& text, bool replace) {
        const std::vector<std::uint8_t> bytes(text.begin(), text.end());
        return SaveLevelFile(dir_, name, bytes, replace);
    }
};

struct FaultCase {
    const char* what;
    Rules rules;
    int err;
    // Which of (unnamed temporary, named temporary) x (never replace, replace) must fail.
    bool mustFail[2][2];
};

TEST_F(SaveFaultTest, EveryFailingCallGivesAClearErrorAndLeavesTheFolderAsItWas) {
    const FaultCase cases[] = {
        {"open", {.open = EACCES}, EACCES, {{true, true}, {true, true}}},
        {"short write, then a full disk",
         {.write = ENOSPC, .shortWrite = true},
         ENOSPC,
         {{true, true}, {true, true}}},
        {"write", {.write = EIO}, EIO, {{true, true}, {true, true}}},
        {"file sync", {.fileSync = EIO}, EIO, {{true, true}, {true, true}}},
        {"folder sync", {.folderSync = EIO}, EIO, {{true, true}, {true, true}}},
        {"link", {.link = EIO}, EIO, {{true, true}, {false, false}}},
        {"rename", {.rename = EIO}, EIO, {{false, true}, {true, true}}},
    };
    const std::string newMap(5000, 'n');
    for (const FaultCase& c : cases) {
        for (int named = 0; named < 2; ++named) {
            for (int replace = 0; replace < 2; ++replace) {
                SCOPED_TRACE(std::string(c.what) + (named ? ", named" : ", unnamed") +
                             (replace ? " temporary, replace" : " temporary, never replace"));
                const std::string name = replace ? "01.000+s.png" : "01.000.png";
                fs::remove_all(dir_);
                fs::create_directories(dir_);
                Put(name, "old map");
                Rules rules = c.rules;
                if (named) rules.tmpfile = EOPNOTSUPP;
                Use(rules);
                std::string error;
                try {
                    Save(name, newMap, replace == 1);
                } catch (const RunError& e) {
                    error = e.what();
                }
                if (c.mustFail[named][replace]) {
                    EXPECT_NE(error.find(std::strerror(c.err)), std::string::npos) << error;
                    EXPECT_NE(error.find(dir_.string()), std::string::npos) << error;
                }
                if (!error.empty() || !replace) {
                    EXPECT_EQ(Read(name), "old map");
                }
                const std::set<std::string> expected =
                    error.empty() && !replace ? std::set<std::string>{name, "01.000_2.png"}
                                              : std::set<std::string>{name};
                EXPECT_EQ(Names(), expected);
                if (error.empty()) {
                    EXPECT_EQ(Read(*expected.rbegin()), newMap);
                }
            }
        }
    }
}

// Each way of placing a file without replacing one is tried when the one before it fails, as on
// file systems without unnamed temporaries, without rename-no-replace, or without hard links.
TEST_F(SaveFaultTest, FallbacksNeverReplaceAnUnseededMap) {
    struct Stage {
        const char* what;
        Rules rules;
        const char* placedBy;
    };
    const Stage stages[] = {
        {"unnamed temporary linked", {}, "link unnamed"},
        {"no unnamed temporaries", {.tmpfile = EOPNOTSUPP}, "rename noreplace"},
        {"unnamed temporary cannot be linked", {.link = EPERM, .noReplace = 0}, "rename noreplace"},
        {"no rename-no-replace", {.tmpfile = EOPNOTSUPP, .noReplace = EINVAL}, "link"},
        {"no hard links", {.tmpfile = EOPNOTSUPP, .link = EPERM, .noReplace = EINVAL}, "create"},
    };
    for (const Stage& stage : stages) {
        SCOPED_TRACE(stage.what);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Put("02.000.png", "earlier");
        Use(stage.rules);
        EXPECT_EQ(Save("02.000.png", "first", false), "02.000_2.png");
        EXPECT_EQ(gPlacedBy.count(stage.placedBy), 1u);
        EXPECT_EQ(Save("02.000.png", "second", false), "02.000_3.png");
        EXPECT_EQ(Save("02.000+s.png", "seeded", true), "02.000+s.png");
        EXPECT_EQ(Save("02.000+s.png", "seeded again", true), "02.000+s.png");
        EXPECT_EQ(Read("02.000.png"), "earlier");
        EXPECT_EQ(Read("02.000_2.png"), "first");
        EXPECT_EQ(Read("02.000_3.png"), "second");
        EXPECT_EQ(Read("02.000+s.png"), "seeded again");
        EXPECT_EQ(Names(), (std::set<std::string>{"02.000.png", "02.000_2.png", "02.000_3.png",
                                                  "02.000+s.png"}));
    }
}

// Without rename-no-replace and hard links the bytes still go only into a temporary, so a save
// killed while writing never leaves part of a map under a map's name.
TEST_F(SaveFaultTest, LastFallbackWritesOnlyIntoATemporary) {
    Put("02.000.png", "earlier");
    Use({.tmpfile = EOPNOTSUPP, .link = EPERM, .noReplace = EINVAL});
    EXPECT_EQ(Save("02.000.png", "first", false), "02.000_2.png");
    ASSERT_FALSE(gWrittenTo.empty());
    for (const std::string& name : gWrittenTo) EXPECT_EQ(name.rfind(".orvane-", 0), 0u) << name;
    EXPECT_EQ(Read("02.000_2.png"), "first");
}

// Without rename-no-replace and hard links an empty file takes the name, then the temporary is
// renamed over it. A kill between the two must not leave an empty map for good: the next save
// removes it, and never an empty file that no save made.
TEST_F(SaveFaultTest, KillBetweenTakingTheNameAndPlacingTheMapLeavesNoEmptyMap) {
    Put("02.000.png", "earlier");
    Put("05.000.png", "");
    const pid_t child = ::fork();
    if (child == 0) {
        Use({.tmpfile = EOPNOTSUPP, .link = EPERM, .noReplace = EINVAL, .killOnPlacing = true});
        try {
            Save("02.000.png", "first", false);
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    ASSERT_EQ(Names().count("02.000_2.png"), 1u);  // the name taken when the kill came
    EXPECT_EQ(Read("02.000_2.png"), "");

    EXPECT_EQ(Save("03.000.png", "later", false), "03.000.png");
    EXPECT_EQ(Names(), (std::set<std::string>{"02.000.png", "03.000.png", "05.000.png"}));
    EXPECT_EQ(Read("02.000.png"), "earlier");
}

// Temporaries of dead processes go; a running save's temporary stays, even if its process is on
// another machine (it holds the lock) or its process id is this one.
TEST_F(SaveFaultTest, OnlyTemporariesOfDeadProcessesAreRemoved) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(::getpid());
    for (const std::string& name :
         {".orvane-" + dead + "-1.tmp", ".orvane-" + dead + "-2.tmp", ".orvane-" + alive + "-3.tmp",
          std::string(".orvane-AbC123.tmp"), std::string(".orvane-XyZ789.tmp"),
          std::string("01.000.png")})
        Put(name, "x");
    const int held = ::open((dir_ / (".orvane-" + dead + "-2.tmp")).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // An older version's temporary (no process id) counts as stale once it is an hour old.
    const timespec old[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 7200, 0}};
    ::utimensat(AT_FDCWD, (dir_ / ".orvane-XyZ789.tmp").c_str(), old, 0);

    Save("02.000.png", "x", false);  // every save cleans up first
    ::close(held);
    EXPECT_EQ(Names(),
              (std::set<std::string>{".orvane-" + dead + "-2.tmp", ".orvane-" + alive + "-3.tmp",
                                     ".orvane-AbC123.tmp", "01.000.png", "02.000.png"}));
    Save("03.000.png", "x", false);  // every save cleans up first
    EXPECT_EQ(Names().count(".orvane-" + dead + "-2.tmp"), 0u);
}

}  // namespace
}  // namespace orvane

#endif  // _WIN32
