// Throwing maps away and undoing it: the map goes to the system's trash, never away for good,
// two of one name both survive, and undo brings back the bytes without ever overwriting a file.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/platform/PathText.h"
#include "app/platform/Trash.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;
using platform::MoveToTrash;
using platform::RestoreFromTrash;
using platform::TrashedFile;
using platform::TrashError;

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "Île 1.png": a space and a letter outside ASCII.
const fs::path kName = PathFromText("\xC3\x8Ele 1.png");

#ifndef _WIN32
// The home trash in a folder of the test's own, never the user's.
class TrashTest : public test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        if (const char* old = std::getenv("XDG_DATA_HOME")) saved_ = old;
        ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        fs::create_directories(dir_ / "maps");
    }
    void TearDown() override {
        if (saved_.empty()) {
            ::unsetenv("XDG_DATA_HOME");
        } else {
            ::setenv("XDG_DATA_HOME", saved_.c_str(), 1);
        }
        TempFolderTest::TearDown();
    }
    fs::path Trash() const { return dir_ / "data" / "Trash"; }

    std::string saved_;
};

TEST_F(TrashTest, MapGoesToTheTrashSayingWhereItWasAndComesBack) {
    const fs::path map = dir_ / "maps" / kName;
    Write(map, "map bytes");
    const TrashedFile item = MoveToTrash(map);

    EXPECT_FALSE(fs::exists(map));
    EXPECT_EQ(item.original, map);
    EXPECT_EQ(item.inTrash, Trash() / "files" / kName);
    EXPECT_EQ(Read(item.inTrash), "map bytes");
    EXPECT_EQ(item.info, Trash() / "info" / (kName.string() + ".trashinfo"));
    // The temporary folder's name holds only characters a URL path keeps as they are.
    ASSERT_EQ(dir_.string().find_first_not_of(
                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/._-"),
              std::string::npos);
    const std::string info = Read(item.info);
    const std::string head =
        "[Trash Info]\nPath=" + dir_.string() + "/maps/%C3%8Ele%201.png\nDeletionDate=";
    ASSERT_EQ(info.substr(0, head.size()), head) << info;
    // YYYY-MM-DDThh:mm:ss
    const std::string date = info.substr(head.size());
    const std::string shape = "0000-00-00T00:00:00\n";
    ASSERT_EQ(date.size(), shape.size()) << info;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        EXPECT_TRUE(shape[i] == '0' ? std::isdigit(static_cast<unsigned char>(date[i])) != 0
                                    : date[i] == shape[i])
            << info;
    }

    RestoreFromTrash(item);
    EXPECT_EQ(Read(map), "map bytes");
    EXPECT_FALSE(fs::exists(item.inTrash));
    EXPECT_FALSE(fs::exists(item.info));
}

TEST_F(TrashTest, TwoMapsOfOneNameBothSurvive) {
    const fs::path map = dir_ / "maps" / "map.png";
    Write(map, "first");
    const TrashedFile first = MoveToTrash(map);
    Write(map, "second");
    const TrashedFile second = MoveToTrash(map);

    EXPECT_NE(first.inTrash, second.inTrash);
    EXPECT_NE(first.info, second.info);
    EXPECT_EQ(Read(first.inTrash), "first");
    EXPECT_EQ(Read(second.inTrash), "second");

    RestoreFromTrash(second);
    EXPECT_EQ(Read(map), "second");
    EXPECT_EQ(Read(first.inTrash), "first");
    EXPECT_TRUE(fs::exists(first.info));
}

TEST_F(TrashTest, UndoNeverOverwritesAMapThatTookThePlace) {
    const fs::path map = dir_ / "maps" / "map.png";
    Write(map, "old");
    const TrashedFile item = MoveToTrash(map);
    Write(map, "new");

    EXPECT_THROW(RestoreFromTrash(item), TrashError);
    EXPECT_EQ(Read(map), "new");
    EXPECT_EQ(Read(item.inTrash), "old");
    EXPECT_TRUE(fs::exists(item.info));
}

TEST_F(TrashTest, MissingMapFailsAndLeavesNoTrace) {
    Write(dir_ / "maps" / "other.png", "other");
    MoveToTrash(dir_ / "maps" / "other.png");  // the trash is there
    EXPECT_THROW(MoveToTrash(dir_ / "maps" / "gone.png"), TrashError);
    EXPECT_EQ(std::distance(fs::directory_iterator(Trash() / "info"), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(Trash() / "files"), {}), 1);
}

#else

class WindowsTrashTest : public test::TempFolderTest {};

// The Recycle Bin is the user's own here (under Wine, the host's trash): every file the test
// puts there it takes back out.
TEST_F(WindowsTrashTest, MapGoesToTheRecycleBinAndTheRightOneComesBack) {
    const fs::path map = dir_ / kName;
    Write(map, "first");
    const TrashedFile first = MoveToTrash(map);
    EXPECT_FALSE(fs::exists(map));
    EXPECT_FALSE(first.binName.empty());
    Write(map, "second");
    const TrashedFile second = MoveToTrash(map);
    EXPECT_FALSE(fs::exists(map));

    RestoreFromTrash(second);
    EXPECT_EQ(Read(map), "second");

    // The place is taken: undo of the first refuses and overwrites nothing.
    EXPECT_THROW(RestoreFromTrash(first), TrashError);
    EXPECT_EQ(Read(map), "second");

    fs::remove(map);
    RestoreFromTrash(first);
    EXPECT_EQ(Read(map), "first");
    EXPECT_THROW(RestoreFromTrash(first), TrashError);  // no longer in the bin
}

TEST_F(WindowsTrashTest, MissingMapFails) {
    EXPECT_THROW(MoveToTrash(dir_ / "gone.png"), TrashError);
}

#endif

}  // namespace
}  // namespace orvane
