#include "app/Run.h"

#include <array>
#include <memory>

#include "app/HeldListener.h"
#include "app/LevelStore.h"
#include "app/MapName.h"
#include "app/Preview.h"
#include "app/RunSchedule.h"
#include "app/Seed.h"
#include "app/SeedCode.h"
#include "app/platform/HeapLimit.h"
#include "core/RunError.h"
#include "finish/ColourLimit.h"
#include "finish/FinalSteps.h"
#include "finish/RandomEffects.h"
#include "finish/Signature.h"
#include "levelfile/LevelChunk.h"
#include "png/PaletteExport.h"
#include "terrain/GenerateTerrain.h"
#include "terrain/layout/LayoutParameters.h"
#include "weapons/WeaponPictures.h"

namespace orvane {
namespace {

// The finishing stages, between the terrain and the export; logged as "createMap: ". Only the
// draws of the last steps are made here; their pixel work is left to the save, which enlarges
// the palette indices made from the canvas.
FinalSteps FinishMap(MapState& map, RunContext& ctx, MapLog& log, RunSchedule& schedule) {
    Random& rng = ctx.rng;
    const long long t1 = TickCount();
    DrawSignature(map, rng);
    const bool effectsFlag = rng.Chance(0.4);
    // An effect works on a copy of the canvas.
    if (effectsFlag) schedule.AwaitRoom(2 * map.canvas.Pixels().size_bytes());
    ApplyRandomEffects(map, rng, 0.08f, effectsFlag);
    if (map.WalkForWeapons && !map.WeaponSpots.empty()) DrawWeaponSpots(map, rng, ctx.chooser);
    const bool rareFlag = rng.Chance(0.06);
    // The colour limit's pixel work is mostly left to the save, beside the next map.
    const ColourLimitPlan limit = LimitPaletteLater(map, rng, effectsFlag, rareFlag);
    FinalSteps steps = PlanFinalSteps(map.canvas, map.ScaleTenths, map.stats, rng, 0.08f);
    steps.limit = limit;
    const long long t2 = TickCount();
    map.stats.finishMs = t2 - t1;
    log.Append("createMap: " + std::to_string(t2 - t1) + "\r\n");
    return steps;
}

// The seeded name is fixed before the map is made, so a seed too long for a file name is
// refused before any work (the area part always has six characters).
void CheckSeedFits(const RunContext& ctx, const std::string& seed) {
    const std::string name = MapFileName(0, seed, false, ctx.walkForWeapons, ctx.decimalSeparator);
    if (name.size() > kMaxFileNameBytes) {
        throw RunError("The seed is too long for a file name (" + std::to_string(name.size()) +
                       " bytes, at most " + std::to_string(kMaxFileNameBytes) + ")");
    }
}

// Re-seeds the generator from the clock when a seeded run ends, however it ends.
struct ClockReseed {
    Random& rng;
    ~ClockReseed() {
        rng.Reset();
        rng.SeedFromClock();
    }
};

// A map with all its draws made, level chunk included: what its last steps and saving need.
// They draw nothing, so they may run on another thread beside the next maps.
struct MadeMap {
    IndexedPicture picture;  // the crop of its canvas as palette indices
    FinalSteps steps;
    PreviewBounds previewBounds;
    PreviewBounds thumbnailBounds;
    std::array<std::uint8_t, kLevelChunkDataSize> chunk{};
    MapReport report;
    std::vector<std::uint8_t> file;  // the finished file, once encoded
};

// Makes map number `index` of a run: sizing, terrain, finishing and the level chunk's draws.
MadeMap MakeMap(RunContext& ctx, RunListener& log, RunSchedule& schedule, int index,
                const std::string& seed, bool batch) {
    Random& rng = ctx.rng;
    MapState map;
    map.WalkForWeapons = ctx.walkForWeapons;
    DrawMapSize(map, rng);
    schedule.AwaitRoom(static_cast<std::size_t>(map.MapWidth) *
                       static_cast<std::size_t>(map.MapHeight) * sizeof(Colour));
    map.canvas.CreateImage(map.MapWidth, map.MapHeight, 0);
    log.ReplaceLog("-- start: " + std::to_string(map.MapWidth) + "x" +
                   std::to_string(map.MapHeight) + " [" + std::to_string(index) + "]\r\n");

    GenerateTerrain(map, rng, log);
    MadeMap made;
    made.steps = FinishMap(map, ctx, log, schedule);
    // The indices are made here, not beside the next map: the saves then hold a quarter of the
    // canvas each, so the next map seldom waits for room, and the two cores share the work more
    // evenly.
    schedule.AwaitRoom(map.canvas.Pixels().size_bytes() + IndicesBytes(made.steps));
    made.picture = PaletteIndices(std::move(map.canvas), made.steps, map.stats.paletteSizes,
                                  schedule.MakingThreads());
    MapReport& report = made.report;
    made.previewBounds = log.PreviewSize();
    made.thumbnailBounds = log.ThumbnailSize();
    report.width = made.steps.width;
    report.height = made.steps.height;
    report.areaThousandths = AreaThousandths(report.width, report.height);
    report.fileName =
        MapFileName(report.areaThousandths, seed, batch, map.WalkForWeapons, ctx.decimalSeparator);
    made.chunk = MakeLevelChunkData(rng, report.areaThousandths / 1000.0);
    report.labelBox = map.LabelBox;
    report.stats = std::move(map.stats);
    // A seeded map replaces its own earlier file (same seed, same map); others never replace
    // a file, since two maps of one area would otherwise destroy each other.
    report.seed = !seed.empty() && !batch ? seed : std::string();
    return made;
}

// The preview and the thumbnail the front end asked for, from the finished pixels.
template <class Finished>
void ShowPictures(MadeMap& made, const Finished& pixels) {
    made.report.preview = MakePreview(pixels, made.previewBounds.width, made.previewBounds.height);
    made.report.thumbnail =
        MakePreview(pixels, made.thumbnailBounds.width, made.thumbnailBounds.height);
}

// The last steps' pixel work, preview and export; touches nothing but the map it is given.
void EncodeMap(MadeMap& made, unsigned threads) {
    IndexedPicture& picture = made.picture;
    // Only a map whose patterns cut it is enlarged whole.
    const auto rows = FinishedRows(picture, made.steps);
    if (rows) {
        // Most maps: the enlarged picture is made row by row as it is written.
        ShowPictures(made, *rows);
        made.file = ExportPng(*rows, threads);
    } else {
        picture = ApplyFinalSteps(std::move(picture), made.steps);
        ShowPictures(made, picture);
        made.file = ExportPng(picture, threads);
    }
    picture = IndexedPicture();
    InsertLevelChunk(made.file, made.chunk);
    made.report.fileBytes = made.file.size();
}

MapReport WriteMap(MadeMap& made, const std::filesystem::path& folder) {
    MapReport& report = made.report;
    const long long t0 = TickCount();
    report.fileName = SaveLevelFile(folder, report.fileName, made.file, !report.seed.empty());
    report.stats.saveMs = TickCount() - t0;
    made.file = {};
    return std::move(report);
}

// A made map's saving, for the schedule to run now or beside the next maps.
SaveWork Saving(MadeMap made, const std::filesystem::path& folder, unsigned threads) {
    auto map = std::make_shared<MadeMap>(std::move(made));
    return {LastStepsBytes(map->steps), [map, threads] { EncodeMap(*map, threads); },
            [map, folder] { return WriteMap(*map, folder); }};
}

// A fresh seed number from the generator: 16 bits a draw, which a single-precision value in
// [0, 1) times 65536 holds exactly.
std::uint32_t DrawSeedNumber(Random& rng) {
    const auto high = static_cast<std::uint32_t>(rng.RndInt(0xFFFF));
    return high << 16 | static_cast<std::uint32_t>(rng.RndInt(0xFFFF));
}

// Everything after this is a function of `number` alone: the chooser's memory starts afresh
// too, so a seed gives the same map whatever came before it.
void StartFromSeedNumber(RunContext& ctx, std::uint32_t number) {
    ctx.chooser = WeaponChooser{};
    ctx.rng.Reset();
    ctx.rng.Seed(number);
}

// Starts an unseeded map as a typed seed starts its map, from a number drawn here, and gives
// the code that makes the same map through the seed box.
std::string StartUnseededMap(RunContext& ctx) {
    const std::uint32_t number = DrawSeedNumber(ctx.rng);
    StartFromSeedNumber(ctx, number);
    return SeedCode(number);
}

}  // namespace

RunOutcome GenerateMaps(RunContext& ctx, int count, bool batch, const std::string& seed) {
    ctx.listener.ClearQuitRequest();
    RequireFolder(ctx.folder);
    KeepHeapSmall();
    // Maps may be saved on other threads while the next ones are made; what a map reports then
    // waits until the map before it has its "-- end". Files are still written and reported in
    // order, and a failure or a quit request after map i still ends the run before map i + 1 is
    // saved.
    HeldListener log(ctx.listener);
    RunSchedule schedule(ctx.threads);
    int reported = 0;
    const Announce announce = [&](const MapReport& report) {
        ctx.listener.Append("seed: " + report.code + "\r\n");
        ctx.listener.Append("-- end");
        ctx.listener.MapSaved(report);
        if (ctx.listener.QuitRequested()) return true;
        ++reported;
        if (batch) {
            ctx.listener.BatchCaption("Get Maps (" + std::to_string(reported) + ")");
            ctx.listener.ProcessEvents();
        }
        log.ReleaseOldest();
        return false;
    };
    for (int i = 1; i <= count; ++i) {
        if (schedule.Saving()) log.Hold();
        MadeMap made;
        try {
            const std::string code = seed.empty() ? StartUnseededMap(ctx) : seed;
            made = MakeMap(ctx, log, schedule, i, seed, batch);
            made.report.code = code;
        } catch (...) {
            // The maps before this failure are saved and reported first.
            schedule.Finish(announce);
            throw;
        }
        const unsigned threads = schedule.EncodingThreads(i == count);
        if (schedule.Save(Saving(std::move(made), ctx.folder, threads), announce))
            return RunOutcome::QuitRequested;
    }
    return schedule.Finish(announce) ? RunOutcome::QuitRequested : RunOutcome::Finished;
}

RunOutcome RunSeeded(RunContext& ctx, const std::string& cleanedSeed) {
    ClockReseed reseed{ctx.rng};
    if (cleanedSeed.empty()) {
        ctx.listener.ReplaceLog("Empty seed");
        return RunOutcome::EmptySeed;
    }
    CheckSeedFits(ctx, cleanedSeed);
    StartFromSeedNumber(ctx, SeedNumber(cleanedSeed));
    return GenerateMaps(ctx, 1, false, cleanedSeed);
}

}  // namespace orvane
