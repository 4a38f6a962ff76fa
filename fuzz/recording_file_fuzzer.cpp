// A recording file (S<n>N<k>.JOY) of any length loaded by HiScoreTable::Load and replayed: the
// table holds its first 2400 bytes (zero where it is short), and racing against it, or watching
// it in the demonstration, from any point of the run keeps every tick sound.
#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "race_harness.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::RaceHarness harness;
    static const std::vector<uint8_t> recordFile = fuzz::GameFile("VANREC0.DAT");
    GameState& game = harness.game;
    StateAccess access(game);
    HiScoreTable& records = harness.records;

    fuzz::InputReader reader(data, size);
    const uint8_t mode = reader.Byte();
    const int32_t start = reader.U16() % kRaceTickLimit;
    const size_t length = reader.RestSize();
    RecordBytes files;
    files.record = recordFile;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        files.recordings[k].emplace(reader.Rest(), reader.Rest() + length);
    }
    records.Load(0, files);
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const Recording& recording = records.AtRank(rank).recording;
        const size_t kept = std::min<size_t>(length, kRecordingBytes);
        FUZZ_CHECK(kept == 0 || std::memcmp(recording.data(), reader.Rest(), kept) == 0);
        FUZZ_CHECK(std::all_of(recording.begin() + kept, recording.end(),
                               [](uint8_t b) { return b == 0; }));
    }

    harness.CourseReady();
    // A race against the recording, or the demonstration replaying it, joined at `start`.
    records.ChooseOpponent({true});  // item 0: the fastest run
    if (mode % 2 == 0) {
        game.StartVersus(records.RecordingAt(records.SelectedOpponent()));
    } else {
        game.StartDemo();
        access.demoWait = 1;
        harness.Tick(0, Drawing::None);  // the replay starts
    }
    access.countdown = 0;
    access.raceTicks = start;
    access.replayTicks = start;
    for (int tick = 0; tick < 48 && access.finishCounter == 0; ++tick) {
        // The recording steers the craft; what it draws is the picture target's matter.
        harness.Tick(mode, Drawing::None);
    }
    return 0;
}
