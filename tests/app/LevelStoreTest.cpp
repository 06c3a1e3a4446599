#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/LevelStore.h"
#include "core/RunError.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;

class LevelStoreTest : public test::TempFolderTest {
  protected:
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t FileCount() {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }
};

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST_F(LevelStoreTest, UnseededMapsNeverReplaceAFile) {
    EXPECT_EQ(SaveLevelFile(dir_, "00.684.png", Bytes("first"), false), "00.684.png");
    EXPECT_EQ(SaveLevelFile(dir_, "00.684.png", Bytes("second"), false), "00.684_2.png");
    EXPECT_EQ(SaveLevelFile(dir_, "00.684.png", Bytes("third"), false), "00.684_3.png");
    EXPECT_EQ(Read("00.684.png"), "first");
    EXPECT_EQ(Read("00.684_2.png"), "second");
    EXPECT_EQ(Read("00.684_3.png"), "third");
    EXPECT_EQ(FileCount(), 3u);  // no temporary file left behind
}

TEST_F(LevelStoreTest, SeededMapReplacesItsOwnFileWhole) {
    SaveLevelFile(dir_, "01.000+ab.png", Bytes("a much longer old file"), true);
    EXPECT_EQ(SaveLevelFile(dir_, "01.000+ab.png", Bytes("new"), true), "01.000+ab.png");
    EXPECT_EQ(Read("01.000+ab.png"), "new");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(LevelStoreTest, MissingFolderIsAClearErrorAndWritesNothing) {
    const fs::path missing = dir_ / "User" / "SavedLevels";
    try {
        SaveLevelFile(missing, "00.684.png", Bytes("x"), false);
        FAIL() << "expected an error";
    } catch (const RunError& e) {
        EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(LevelStoreTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    SaveLevelFile(dir_, "02.000+s.png", Bytes("old"), true);
    // A name too long for the file system fails at the rename, after the temporary was written.
    const std::string tooLong(300, 'x');
    EXPECT_THROW(SaveLevelFile(dir_, tooLong + ".png", Bytes("new"), true), RunError);
    EXPECT_THROW(SaveLevelFile(dir_, tooLong + ".png", Bytes("new"), false), RunError);
    EXPECT_EQ(Read("02.000+s.png"), "old");
    EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
}  // namespace orvane
