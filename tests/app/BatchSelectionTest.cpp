// What the batch browser does to files: only the maps marked to throw away leave the folder, a
// file the batch did not save as it is stays, and undo brings back exactly what the last step
// moved. The trash here is a folder, so the test needs no desktop.
#include <gtest/gtest.h>

#include <fstream>

#include "app/BatchSelection.h"
#include "tests/app/TempFolder.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

class BatchSelectionTest : public test::TempFolderTest {
  protected:
    // A batch of `n` saved maps, 0.png .. n-1.png, each of its own size.
    void MakeBatch(int n) {
        for (int i = 0; i < n; ++i) {
            BatchMap map;
            map.path = dir_ / (std::to_string(i) + ".png");
            std::ofstream(map.path) << std::string(static_cast<std::size_t>(10 + i), 'x');
            map.fileBytes = static_cast<std::uintmax_t>(10 + i);
            selection.Add(map);
        }
        fs::create_directories(dir_ / "bin");
    }
    platform::TrashedFile Trash(const fs::path& file) {
        if (failOn == file.filename()) throw platform::TrashError("the trash is full");
        platform::TrashedFile item{file, dir_ / "bin" / file.filename(), {}, {}};
        fs::rename(file, item.inTrash);
        return item;
    }
    void Restore(const platform::TrashedFile& item) { fs::rename(item.inTrash, item.original); }
    std::vector<std::string> ThrowAway() {
        return selection.ThrowAwayMarked([this](const fs::path& f) { return Trash(f); });
    }
    std::vector<std::string> Undo() {
        return selection.Undo([this](const platform::TrashedFile& t) { Restore(t); });
    }
    bool InFolder(int i) { return fs::exists(dir_ / (std::to_string(i) + ".png")); }

    BatchSelection selection;
    fs::path failOn;
};

TEST_F(BatchSelectionTest, OnlyMarkedMapsGoAndUndoBringsThemBack) {
    MakeBatch(5);
    selection.SetMark(0, Mark::Keep);
    selection.SetMark(2, Mark::ThrowAway);
    selection.ThrowAwayRest();  // 1, 3, 4: the kept map stays kept
    selection.SetMark(4, Mark::Unmarked);
    EXPECT_EQ(selection.Marked(Mark::ThrowAway), 3u);
    EXPECT_TRUE(ThrowAway().empty());
    EXPECT_TRUE(InFolder(0) && InFolder(4));
    EXPECT_FALSE(InFolder(1) || InFolder(2) || InFolder(3));
    EXPECT_EQ(selection.Shown(), (std::vector<std::size_t>{0, 4}));
    // Thrown-away maps are no longer marked among the shown ones: nothing to throw twice.
    EXPECT_EQ(selection.Marked(Mark::ThrowAway), 0u);

    EXPECT_TRUE(Undo().empty());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(InFolder(i)) << i;
    EXPECT_EQ(selection.Shown().size(), 5u);
    // Marks are back as they were before the throw; the undo before that takes back the
    // last mark change.
    EXPECT_EQ(selection.At(4).mark, Mark::Unmarked);
    EXPECT_EQ(selection.Marked(Mark::ThrowAway), 3u);
    Undo();
    EXPECT_EQ(selection.At(4).mark, Mark::ThrowAway);
}

TEST_F(BatchSelectionTest, MapsNotAsSavedAndFailuresStay) {
    MakeBatch(4);
    selection.ThrowAwayRest();
    std::ofstream(dir_ / "1.png") << "another picture under the map's name";
    fs::remove(dir_ / "2.png");
    failOn = "3.png";
    const auto problems = ThrowAway();
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("1.png has changed"), std::string::npos);
    EXPECT_NE(problems[1].find("2.png is no longer"), std::string::npos);
    EXPECT_NE(problems[2].find("the trash is full"), std::string::npos);
    EXPECT_FALSE(InFolder(0));
    EXPECT_TRUE(InFolder(1) && InFolder(3));
    EXPECT_EQ(selection.Shown(), (std::vector<std::size_t>{1, 2, 3}));

    // Undo takes back only what the step moved.
    Undo();
    EXPECT_TRUE(InFolder(0));
    EXPECT_FALSE(fs::exists(dir_ / "bin" / "1.png"));
    // A map gone from the folder is forgotten when the browser opens again; one in the trash
    // is not, so undo can still bring it back.
    selection.ThrowAwayRest();
    failOn.clear();
    ThrowAway();  // 0 and 3 go; 1 and 2 cannot
    selection.DropMissing();
    EXPECT_EQ(selection.Shown(), (std::vector<std::size_t>{1}));
    Undo();
    EXPECT_TRUE(InFolder(0) && InFolder(3));
    EXPECT_EQ(selection.Shown(), (std::vector<std::size_t>{0, 1, 3}));
}

TEST_F(BatchSelectionTest, KeepAllLeavesNothingToThrowAway) {
    MakeBatch(3);
    selection.SetMark(1, Mark::ThrowAway);
    selection.KeepAll();
    selection.ThrowAwayRest();
    EXPECT_EQ(selection.Marked(Mark::Keep), 3u);
    EXPECT_TRUE(ThrowAway().empty());
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(InFolder(i));
}

}  // namespace
}  // namespace orvane
