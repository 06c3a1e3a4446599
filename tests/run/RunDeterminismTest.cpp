// Overlapping a map's saving with the next map must change nothing a player sees: the same
// files byte for byte, the log in the same order, and a quit request still ending the run
// right after the map being made. Also run under ThreadSanitizer (the tsan preset).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/Run.h"
#include "core/RunError.h"

namespace orvane {
namespace {
namespace fs = std::filesystem;

// Keeps what the front end would show, without the stage timings (they vary).
class RecordingListener : public RunListener {
  public:
    void ReplaceLog(const std::string& text) override { events.push_back("replace " + text); }
    void Append(const std::string& text) override {
        if (text == "-- end") events.push_back(text);
    }
    void Diagnostic(const std::string& message) override { events.push_back("diag " + message); }
    void BatchCaption(const std::string& text) override { events.push_back(text); }
    bool QuitRequested() const override { return quitAfter > 0 && saved >= quitAfter; }
    void MapSaved(const MapReport& report) override {
        ++saved;
        events.push_back("saved " + report.fileName);
        // The folder gives way under the run: the next save must fail.
        if (saved == loseFolderAfter) fs::remove_all(folder);
    }
    std::vector<std::string> events;
    int saved = 0;
    int quitAfter = 0;
    int loseFolderAfter = 0;
    fs::path folder;
};

struct Batch {
    RunOutcome outcome;
    std::vector<std::string> events;
    std::map<std::string, std::string> files;  // name -> bytes
};

Batch MakeBatch(unsigned threads, bool walkForWeapons, int count, int quitAfter = 0,
                int loseFolderAfter = 0) {
    const fs::path dir =
        fs::temp_directory_path() /
        ("orvane-determinism-" + std::to_string(::getpid()) + "-" + std::to_string(threads));
    fs::remove_all(dir);
    fs::create_directories(dir);
    RecordingListener listener;
    listener.quitAfter = quitAfter;
    listener.loseFolderAfter = loseFolderAfter;
    listener.folder = dir;
    Random rng;
    rng.Reset();
    rng.Seed(20240607);
    WeaponChooser chooser;
    RunContext ctx{rng, chooser, listener, dir, ".", walkForWeapons};
    ctx.threads = threads;
    Batch batch{RunOutcome::Finished, {}, {}};
    try {
        batch.outcome = GenerateMaps(ctx, count, true, "");
    } catch (const RunError& e) {
        const std::string what = e.what();  // without the folder, which differs per run
        listener.events.push_back("failed " + what.substr(0, what.find(':')));
    }
    batch.events = listener.events;
    if (!fs::exists(dir)) return batch;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        batch.files[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
    }
    fs::remove_all(dir);
    return batch;
}

// Three threads is more than the cap: a machine may be given more, and every count must agree.
TEST(RunDeterminism, AnyNumberOfThreadsGivesTheSameFilesAndLogInBothModes) {
    for (const bool wfw : {false, true}) {
        SCOPED_TRACE(wfw ? "walk for weapons" : "plain");
        const Batch one = MakeBatch(1, wfw, 4);
        EXPECT_EQ(one.outcome, RunOutcome::Finished);
        ASSERT_EQ(one.files.size(), 4u);
        for (const unsigned threads : {2u, 3u}) {
            const Batch more = MakeBatch(threads, wfw, 4);
            EXPECT_EQ(more.outcome, RunOutcome::Finished);
            EXPECT_TRUE(one.files == more.files) << threads << " threads";
            // Every map's "-- end" comes before the next map's start line.
            EXPECT_EQ(one.events, more.events) << threads << " threads";
        }
    }
}

// Later maps may already be made or encoded when the run ends; none of them is saved or shows.
TEST(RunDeterminism, AQuitRequestStillEndsTheRunAfterTheSavedMap) {
    for (const int quitAfter : {1, 3}) {
        const Batch two = MakeBatch(2, false, 6, quitAfter);
        EXPECT_EQ(two.outcome, RunOutcome::QuitRequested);
        EXPECT_EQ(two.files.size(), static_cast<std::size_t>(quitAfter));
        ASSERT_FALSE(two.events.empty());
        EXPECT_EQ(two.events.back().rfind("saved ", 0), 0u);
        EXPECT_EQ(MakeBatch(1, false, 6, quitAfter).events, two.events);
    }
}

TEST(RunDeterminism, AFailedSaveEndsTheRunBeforeAnyLaterMap) {
    const Batch two = MakeBatch(2, false, 6, 0, 2);
    ASSERT_FALSE(two.events.empty());
    EXPECT_EQ(two.events.back().rfind("failed ", 0), 0u);
    EXPECT_EQ(MakeBatch(1, false, 6, 0, 2).events, two.events);
}

}  // namespace
}  // namespace orvane
