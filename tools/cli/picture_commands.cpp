// render and replay: the driver's-eye view as pictures.
#include <cstdio>
#include <string>
#include <system_error>

#include "cli/apng_writer.h"
#include "cli/band_picture.h"
#include "cli/commands.h"
#include "cli/pack_folder.h"
#include "common/file_bytes.h"
#include "craft/craft.h"
#include "gfx/bmp_writer.h"
#include "race/headless_race.h"
#include "race/view.h"
#include "records/hiscore_table.h"

namespace vantrell::cli {

namespace {

constexpr int32_t kTickMs = 16;  // the game's default speed

void WritePng(const std::string& path, const tools::RgbImage& image) {
    tools::WriteFileBytes(path, tools::EncodePng(image));
}

}  // namespace

int RunRender(const CliOptions& options) {
    AcceptOnly(options,
               {"--stage", "--dir", "--x", "--y", "--heading", "--out", "--pack", "--view"});
    CheckStageChoice(options);
    const ViewMode mode = RequireViewMode(options);
    if (!options.x || !options.y || !options.heading) {
        throw CliError("render: the view point needs --x, --y and --heading");
    }
    // Only where a craft can be is the view the game's; further out it reads past the course.
    if (*options.x < kCraftFirstX || *options.x > kCraftLastX || *options.y < kCraftFirstY ||
        *options.y > kCraftLastY) {
        throw CliError("render: (" + std::to_string(*options.x) + ", " +
                       std::to_string(*options.y) + ") is off the course; give --x " +
                       std::to_string(kCraftFirstX) + ".." + std::to_string(kCraftLastX) +
                       " and --y " + std::to_string(kCraftFirstY) + ".." +
                       std::to_string(kCraftLastY) + ", where a craft can be");
    }
    if (*options.heading < 0 || *options.heading > 63) {
        throw CliError("--heading " + std::to_string(*options.heading) +
                       ": headings run 0..63; give --heading 0..63");
    }
    if (options.out.empty() ||
        !(HasExtension(options.out, ".bmp") || HasExtension(options.out, ".png"))) {
        throw CliError("render: give --out FILE.bmp (the band, 8-bit) or FILE.png (as shown)");
    }
    const StagePlace place = RaceableStage(options);
    HeadlessRace race(place.dir, place.stage);
    GameState& game = race.game();
    game.SetViewMode(mode);
    // The frame as the race step composes it, but with nothing stamped into the course.
    game.RenderViewAt(*options.x, *options.y, *options.heading);
    if (HasExtension(options.out, ".bmp")) {
        Bitmap8 band;
        CopyBand(game.FrameBuffer(), band);
        if (!SaveBmp(band, options.out)) {
            throw CliError(options.out + ": cannot be written; check the folder exists and is " +
                           "writable");
        }
    } else {
        const ViewModeShape shape = ShapeOf(mode);
        WritePng(options.out, ShownBand(game.FrameBuffer(), shape.shownWidth, shape.shownHeight));
    }
    return 0;
}

int RunReplay(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir", "--out", "--every", "--pack", "--view"}, 1);
    CheckStageChoice(options);
    const ViewMode mode = RequireViewMode(options);
    const ViewModeShape shape = ShapeOf(mode);
    if (options.out.empty()) {
        throw CliError("replay: no output given; add --out DIR (numbered PNGs) or --out FILE.png");
    }
    // A name with another extension is neither: writing PNGs into a folder "frames.gif" would
    // surprise whoever asked for a GIF.
    std::error_code ignored;
    const std::filesystem::path out = options.out;
    if (!HasExtension(out, ".png") && !out.extension().empty() &&
        !std::filesystem::is_directory(out, ignored)) {
        throw CliError("replay: --out " + options.out + ": neither a folder nor a .png file; " +
                       "give --out DIR for numbered PNGs or --out FILE.png for an animated PNG");
    }
    const StagePlace place = RaceableStage(options);
    const std::filesystem::path& dir = place.dir;
    const int32_t stage = place.stage;
    const int32_t every = options.every.value_or(1);
    if (every < 1) {
        throw CliError("--every " + std::to_string(every) + ": must be 1 or more");
    }
    const std::filesystem::path file = RecordingArgument(options, true);
    Recording recording{};
    if (file.empty()) {
        // The stage's best run, as the demonstration shows it.
        const std::filesystem::path records = dir / HiScoreTable::RecordFileName(stage);
        std::error_code error;
        if (!std::filesystem::is_regular_file(records, error)) {
            throw CliError(records.string() + ": no records for this stage; give a .JOY file " +
                           "or build the default records (target vantrell-default-records)");
        }
        HiScoreTable table(dir);
        table.Load(stage);
        const uint8_t* best = table.RecordingAt(9);
        std::copy(best, best + kRaceTickLimit, recording.begin());
    } else {
        recording = ReadRecordingFile(file);
    }

    const bool animated = HasExtension(options.out, ".png");
    if (!animated) {
        tools::MakeDirectories(options.out);
    }
    ApngWriter apng(shape.shownWidth, shape.shownHeight, kTickMs * every);
    int32_t step = 0;
    int32_t written = 0;
    HeadlessRace race(dir, stage);
    race.game().SetViewMode(mode);
    const RaceOutcome outcome = race.Run(recording, [&](RacePhase, const GameState& game) {
        if (step++ % every != 0) {
            return;
        }
        const tools::RgbImage frame =
            ShownBand(game.FrameBuffer(), shape.shownWidth, shape.shownHeight);
        if (animated) {
            apng.AddFrame(frame);
        } else {
            char name[32];
            std::snprintf(name, sizeof name, "frame_%04d.png", step);
            WritePng((std::filesystem::path(options.out) / name).string(), frame);
        }
        ++written;
    });
    if (animated) {
        tools::WriteFileBytes(options.out, apng.Encode());
    }
    std::printf("%d frames written to %s; ", written, options.out.c_str());
    if (outcome.goal) {
        std::printf("goal %d\n", outcome.time);
    } else {
        std::printf("timeup\n");
    }
    return 0;
}

}  // namespace vantrell::cli
