#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

#include "app/MapsFolder.h"
#include "app/Preview.h"
#include "app/Settings.h"
#include "app/platform/PathText.h"
#include "core/RunError.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace orvane {
namespace {
namespace fs = std::filesystem;

// An absolute path on this system: "/" + rest, or "C:\\" + rest on Windows.
fs::path Absolute(const std::string& rest) {
#ifdef _WIN32
    return fs::path("C:\\" + rest);
#else
    return fs::path("/" + rest);
#endif
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orvane-settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = dir_ / "orvane" / "settings";
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(const std::string& text) {
        fs::create_directories(file_.parent_path());
        std::ofstream(file_, std::ios::binary) << text;
    }

    fs::path dir_;
    fs::path file_;
};

TEST_F(SettingsTest, RememberedFolderSurvivesAndLeavesNoTemporaryFile) {
    EXPECT_FALSE(LoadSettings(file_).settings.mapsFolder);  // no file yet: no folder, no problem
    EXPECT_TRUE(LoadSettings(file_).problem.empty());
    SaveSettings(file_, Settings{Absolute("games/my game/User/SavedLevels")});
    SaveSettings(file_, Settings{Absolute("games/other/User/SavedLevels")});
    const LoadedSettings loaded = LoadSettings(file_);
    EXPECT_TRUE(loaded.problem.empty()) << loaded.problem;
    EXPECT_EQ(loaded.settings.mapsFolder, Absolute("games/other/User/SavedLevels"));
    EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), {}), 1);
}

TEST_F(SettingsTest, DamagedFileIsReportedAndIgnored) {
    for (const std::string& text :
         {std::string("maps-folder=relative/path\n"), std::string("garbage without a key\n"),
          std::string("maps-folder=/a\0b\n", 17), std::string("maps-folder=\"/open\n"),
          "maps-folder=" + PathText(Absolute("x")) + "\n" + std::string(70000, '#') + "\n"}) {
        Write(text);
        const LoadedSettings loaded = LoadSettings(file_);
        EXPECT_FALSE(loaded.settings.mapsFolder) << text.substr(0, 30);
        EXPECT_NE(loaded.problem.find(PathText(file_)), std::string::npos) << loaded.problem;
    }
    fs::remove(file_);
    fs::create_directories(file_);  // a folder where the file belongs
    EXPECT_NE(LoadSettings(file_).problem.find("ignored"), std::string::npos);
}

// As Windows editors and people write it: a byte order mark, blanks around '=' and at line
// ends, CR LF, indented comments; quotes keep a folder whose name ends in a blank.
TEST_F(SettingsTest, HandWrittenFileIsRead) {
    const std::string folder = PathText(Absolute("games/my game/SavedLevels"));
    for (const std::string& text :
         {"\xEF\xBB\xBFmaps-folder=" + folder + "\n", "maps-folder = " + folder + " \t\n",
          "  # note\r\n\r\n\tmaps-folder\t=\t" + folder + "\t\r\n",
          "maps-folder = \"" + folder + "\"\n"}) {
        Write(text);
        const LoadedSettings loaded = LoadSettings(file_);
        EXPECT_EQ(loaded.settings.mapsFolder, PathFromText(folder)) << text;
        EXPECT_TRUE(loaded.problem.empty()) << loaded.problem;
    }
    Write("maps-folder = \"" + folder + " \"\n");
    EXPECT_EQ(LoadSettings(file_).settings.mapsFolder, PathFromText(folder + " "));
    SaveSettings(file_, Settings{PathFromText(folder + " ")});
    EXPECT_EQ(LoadSettings(file_).settings.mapsFolder, PathFromText(folder + " "));
}

TEST_F(SettingsTest, UnknownKeyIsReportedByNameAndTheFolderStillApplies) {
    Write("maps-folder=" + PathText(Absolute("x/y")) + "\ncolour = blue\n");
    const LoadedSettings loaded = LoadSettings(file_);
    EXPECT_EQ(loaded.settings.mapsFolder, Absolute("x/y"));
    EXPECT_NE(loaded.problem.find("\"colour\""), std::string::npos) << loaded.problem;
    EXPECT_NE(loaded.problem.find(PathText(file_)), std::string::npos) << loaded.problem;
}

// Loads on another thread, so a read that blocks fails the test instead of hanging it; `release`
// then unblocks the read so the test can end.
LoadedSettings LoadWithin(const fs::path& file, const std::function<void()>& release) {
    auto load = std::async(std::launch::async, [&file] { return LoadSettings(file); });
    if (load.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading " << PathText(file) << " blocked";
        release();
    }
    return load.get();
}

#ifndef _WIN32
TEST_F(SettingsTest, PipeOrDeviceIsRefusedWithoutBlocking) {
    const fs::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto release = [&fifo] { ::close(::open(fifo.c_str(), O_RDWR | O_NONBLOCK)); };
    fs::create_directories(file_.parent_path());
    fs::create_symlink(fifo, file_);
    for (const fs::path& path : {fifo, file_}) {
        const LoadedSettings loaded = LoadWithin(path, release);
        EXPECT_FALSE(loaded.settings.mapsFolder);
        EXPECT_NE(loaded.problem.find("FIFO"), std::string::npos) << loaded.problem;
    }
    const LoadedSettings device = LoadSettings("/dev/null");
    EXPECT_NE(device.problem.find("not a regular file"), std::string::npos) << device.problem;
}
#else
TEST_F(SettingsTest, PipeOrDeviceIsRefusedWithoutBlocking) {
    const std::wstring pipe = L"\\\\.\\pipe\\orvane-settings-" + std::to_wstring(::getpid());
    const HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND,
                                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    const LoadedSettings loaded = LoadWithin(pipe, [server] { ::DisconnectNamedPipe(server); });
    ::CloseHandle(server);
    EXPECT_NE(loaded.problem.find("named pipe"), std::string::npos) << loaded.problem;
    const LoadedSettings device = LoadSettings(L"\\\\.\\NUL");
    EXPECT_NE(device.problem.find("not a regular file"), std::string::npos) << device.problem;
}
#endif

// As dotfile managers keep it: the settings file is a (relative) link into another folder. It is
// read through, and a save replaces the file it leads to, atomically, and keeps the link.
TEST_F(SettingsTest, SymbolicLinkIsFollowedAndKept) {
    const fs::path target = dir_ / "dotfiles" / "orvane" / "settings";
    fs::create_directories(target.parent_path());
    std::ofstream(target) << "maps-folder=" << PathText(Absolute("old")) << "\n";
    fs::create_directories(file_.parent_path());
    std::error_code ec;
    fs::create_symlink(fs::path("..") / "dotfiles" / "orvane" / "settings", file_, ec);
#ifdef _WIN32
    // Windows lets only administrators and developer mode make symbolic links.
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
#endif
    ASSERT_FALSE(ec) << ec.message();
    const LoadedSettings loaded = LoadSettings(file_);
    EXPECT_EQ(loaded.settings.mapsFolder, Absolute("old")) << loaded.problem;

    SaveSettings(file_, Settings{Absolute("new")});
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(LoadSettings(target).settings.mapsFolder, Absolute("new"));
    EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), {}), 1);

    // A link to a file not made yet: reported when read; a save makes the file in its folder.
    fs::remove(target);
    EXPECT_NE(LoadSettings(file_).problem.find("does not exist"), std::string::npos);
    SaveSettings(file_, Settings{Absolute("again")});
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(LoadSettings(target).settings.mapsFolder, Absolute("again"));
    // A link into a folder that does not exist is not followed by creating folders.
    fs::remove_all(target.parent_path());
    EXPECT_THROW(SaveSettings(file_, Settings{Absolute("lost")}), RunError);
    EXPECT_TRUE(fs::is_symlink(file_));
}

TEST_F(SettingsTest, FolderOrderCommandLineThenRememberedThenBesideTheProgram) {
    const fs::path program = dir_ / "game";
    const Settings remembered{"/remembered"};
    // An installed program has no User/SavedLevels beside it: no folder at all.
    EXPECT_EQ(ChooseMapsFolder({}, {}, program).source, FolderSource::None);
    fs::create_directories(program / "User" / "SavedLevels");
    EXPECT_EQ(ChooseMapsFolder({}, {}, program).folder, program / "User" / "SavedLevels");
    EXPECT_EQ(ChooseMapsFolder({}, remembered, program).folder, fs::path("/remembered"));
    EXPECT_EQ(ChooseMapsFolder("/out", remembered, program).folder, fs::path("/out"));
    EXPECT_NE(FolderProblem(dir_ / "missing").find("missing"), std::string::npos);
    EXPECT_NE(FolderProblem(program / "User" / "nothing"), "");
    EXPECT_EQ(FolderProblem(program / "User" / "SavedLevels"), "");
}

TEST(PreviewTest, FitsTheBoundsWithTheAspectKeptAndShowsTheMapsColours) {
    Canvas canvas;
    canvas.CreateImage(1000, 500, 0);
    for (std::int32_t y = 0; y < 500; ++y)
        for (std::int32_t x = 0; x < 1000; ++x)
            canvas.Pixels()[static_cast<std::size_t>(y * 1000 + x)] =
                x < 500 ? RGB(200, 10, 10) : (y < 250 ? RGB(10, 200, 10) : RGB(10, 10, 200));
    const MapPreview p = MakePreview(canvas, 240, 136);
    ASSERT_EQ(p.width, 240);
    ASSERT_EQ(p.height, 120);
    ASSERT_EQ(p.rgb.size(), 240u * 120u * 3u);
    auto at = [&p](int x, int y) {
        const std::size_t i = static_cast<std::size_t>((y * p.width + x) * 3);
        return RGB(p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]);
    };
    EXPECT_EQ(at(10, 60), RGB(200, 10, 10));
    EXPECT_EQ(at(200, 10), RGB(10, 200, 10));
    EXPECT_EQ(at(239, 119), RGB(10, 10, 200));
    EXPECT_EQ(MakePreview(canvas, 100, 300).height, 50);     // width-limited
    EXPECT_EQ(MakePreview(canvas, 2000, 2000).width, 1000);  // never enlarged
    EXPECT_EQ(MakePreview(canvas, 0, 0).width, 0);           // not asked for: none made
}

}  // namespace
}  // namespace orvane
