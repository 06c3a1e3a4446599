#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/MapsFolder.h"
#include "app/Preview.h"
#include "app/Settings.h"
#include "app/platform/PathText.h"

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
          std::string("maps-folder=/a\0b\n", 17)}) {
        Write(text);
        const LoadedSettings loaded = LoadSettings(file_);
        EXPECT_FALSE(loaded.settings.mapsFolder) << text;
        EXPECT_NE(loaded.problem.find(PathText(file_)), std::string::npos) << loaded.problem;
    }
    // Comments, blank lines, CR LF and keys of later versions are fine.
    Write("# note\r\n\r\nfuture-key=1\r\nmaps-folder=" + PathText(Absolute("x/y")) + "\r\n");
    EXPECT_EQ(LoadSettings(file_).settings.mapsFolder, Absolute("x/y"));
}

TEST_F(SettingsTest, SymbolicLinkIsNeitherReadNorWrittenThrough) {
    const fs::path elsewhere = dir_ / "elsewhere";
    std::ofstream(elsewhere) << "maps-folder=/secret\n";
    fs::create_directories(file_.parent_path());
    std::error_code ec;
    fs::create_symlink(elsewhere, file_, ec);
#ifdef _WIN32
    // Windows lets only administrators and developer mode make symbolic links.
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
#endif
    ASSERT_FALSE(ec) << ec.message();
    const LoadedSettings loaded = LoadSettings(file_);
    EXPECT_FALSE(loaded.settings.mapsFolder);
    EXPECT_FALSE(loaded.problem.empty());
    SaveSettings(file_, Settings{"/mine"});
    EXPECT_FALSE(fs::is_symlink(file_));
    std::ifstream in(elsewhere);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "maps-folder=/secret\n");
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
