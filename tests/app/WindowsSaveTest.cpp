// Saves on Windows: a failing call leaves the earlier file and no temporary; a temporary is
// removed only when its process has ended and nobody holds it open; a folder named in Cyrillic
// and emoji takes maps like any other.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/LevelStore.h"
#include "app/MapsFolder.h"
#include "app/platform/PathText.h"
#include "app/platform/SaveFile.h"
#include "app/platform/windows/Wide.h"
#include "core/RunError.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using platform::SaveCalls;

// The call that fails, and the error it gives.
enum class Failing { None, Create, Write, Flush, Move };
Failing gFailing = Failing::None;
DWORD gError = 0;
const SaveCalls gReal = platform::DefaultSaveCalls();

SaveCalls FaultyCalls() {
    return {
        [](const wchar_t* path, unsigned long access, unsigned long share,
           unsigned long disposition) -> void* {
            if (gFailing == Failing::Create) {
                ::SetLastError(gError);
                return nullptr;
            }
            return gReal.create(path, access, share, disposition);
        },
        [](void* file, const void* data, unsigned long size, unsigned long* written) {
            if (gFailing != Failing::Write) return gReal.write(file, data, size, written);
            // Half the bytes reach the disk before it is full.
            gReal.write(file, data, size / 2, written);
            ::SetLastError(gError);
            return false;
        },
        [](void* file) {
            if (gFailing != Failing::Flush) return gReal.flush(file);
            ::SetLastError(gError);
            return false;
        },
        [](const wchar_t* from, const wchar_t* to, unsigned long flags) {
            if (gFailing != Failing::Move) return gReal.move(from, to, flags);
            ::SetLastError(gError);
            return false;
        },
    };
}

class WindowsSaveTest : public test::TempFolderTest {
  protected:
    void TearDown() override {
        platform::ActiveSaveCalls() = platform::DefaultSaveCalls();
        TempFolderTest::TearDown();
    }
    void Put(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::set<std::string> Names(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.insert(PathText(e.path().filename()));
        return names;
    }
    std::string Save(const fs::path& folder, const std::string& name, const std::string& text,
                     bool replace) {
        const std::vector<std::uint8_t> bytes(text.begin(), text.end());
        return SaveLevelFile(folder, name, bytes, replace);
    }
};

TEST_F(WindowsSaveTest, EveryFailingCallGivesTheReasonAndLeavesTheFolderAsItWas) {
    struct Fault {
        Failing call;
        DWORD error;
    };
    const Fault faults[] = {{Failing::Create, ERROR_ACCESS_DENIED},
                            {Failing::Write, ERROR_DISK_FULL},
                            {Failing::Flush, ERROR_IO_DEVICE},
                            {Failing::Move, ERROR_SHARING_VIOLATION}};
    const std::string newMap(5000, 'n');
    for (const Fault& fault : faults) {
        for (const bool replace : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(fault.call)) +
                         (replace ? ", replace" : ", never replace"));
            const std::string name = replace ? "01.000+s.png" : "01.000.png";
            fs::remove_all(dir_);
            fs::create_directories(dir_);
            Put(dir_ / name, "old map");
            gFailing = fault.call;
            gError = fault.error;
            platform::ActiveSaveCalls() = FaultyCalls();
            std::string error;
            try {
                Save(dir_, name, newMap, replace);
            } catch (const RunError& e) {
                error = e.what();
            }
            platform::ActiveSaveCalls() = platform::DefaultSaveCalls();
            EXPECT_NE(error.find(platform::SystemReason(fault.error)), std::string::npos) << error;
            EXPECT_NE(error.find(PathText(dir_)), std::string::npos) << error;
            EXPECT_EQ(Read(dir_ / name), "old map");
            EXPECT_EQ(Names(dir_), std::set<std::string>{name});
        }
    }
}

// A process that exists while the test wants it to: this program, started suspended.
class ChildProcess {
  public:
    ChildProcess() {
        wchar_t self[MAX_PATH * 4];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
        std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                             nullptr, &startup, &info_))
            ::CloseHandle(info_.hThread);
    }
    ~ChildProcess() { End(); }
    DWORD Id() const { return info_.dwProcessId; }
    void End() {
        if (info_.hProcess == nullptr) return;
        ::TerminateProcess(info_.hProcess, 1);
        ::WaitForSingleObject(info_.hProcess, INFINITE);
        ::CloseHandle(info_.hProcess);
        info_.hProcess = nullptr;
    }

  private:
    PROCESS_INFORMATION info_{};
};

// Temporaries of ended processes go; those of a running process stay, and so does one its
// writer still holds open (as a save from another machine would), or one not of this program.
TEST_F(WindowsSaveTest, OnlyTemporariesOfEndedProcessesAreRemoved) {
    ChildProcess child;
    ASSERT_NE(child.Id(), 0u);
    const std::string running = ".orvane-w" + std::to_string(child.Id()) + "-1.tmp";
    const std::string self = ".orvane-w" + std::to_string(::GetCurrentProcessId()) + "-2.tmp";
    ChildProcess ended;
    ASSERT_NE(ended.Id(), 0u);
    ended.End();
    const std::string stale = ".orvane-w" + std::to_string(ended.Id()) + "-3.tmp";
    const std::string held = ".orvane-w" + std::to_string(ended.Id()) + "-4.tmp";
    const std::string linuxStyle = ".orvane-" + std::to_string(ended.Id()) + "-5.tmp";
    for (const std::string& name :
         {running, self, stale, held, linuxStyle, std::string("01.000.png")})
        Put(dir_ / name, "x");
    // As a writer holds its temporary: others may read it, not delete it.
    const HANDLE writer = ::CreateFileW((dir_ / held).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    Save(dir_, "02.000.png", "x", false);  // every save cleans up first
    EXPECT_EQ(Names(dir_),
              (std::set<std::string>{running, self, held, linuxStyle, "01.000.png", "02.000.png"}));
    ::CloseHandle(writer);
    child.End();
    Save(dir_, "03.000.png", "x", false);
    EXPECT_EQ(Names(dir_),
              (std::set<std::string>{self, linuxStyle, "01.000.png", "02.000.png", "03.000.png"}));
}

TEST_F(WindowsSaveTest, CyrillicAndEmojiFolderTakesMapsUnderTheirOwnNames) {
    const fs::path folder =
        dir_ / PathFromText("\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B \xF0\x9F\x97\xBA");
    fs::create_directories(folder);
    EXPECT_EQ(FolderProblem(folder), "");
    const std::string seeded = "00.684+\xD0\xBC\xD0\xB8\xD1\x80\xF0\x9F\x99\x82.png";
    EXPECT_EQ(Save(folder, "00.684.png", "first", false), "00.684.png");
    EXPECT_EQ(Save(folder, "00.684.png", "second", false), "00.684_2.png");
    EXPECT_EQ(Save(folder, seeded, "old", true), seeded);
    EXPECT_EQ(Save(folder, seeded, "seeded", true), seeded);
    EXPECT_EQ(Names(folder), (std::set<std::string>{"00.684.png", "00.684_2.png", seeded}));
    EXPECT_EQ(Read(folder / PathFromText(seeded)), "seeded");
    EXPECT_EQ(Read(folder / "00.684.png"), "first");
}

}  // namespace
}  // namespace orvane

#endif  // _WIN32
