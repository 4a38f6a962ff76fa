// The embedded sound effects and icon, and the two MIDI pieces in the game directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "content/content_files.h"
#include "resources/resources.h"

namespace vantrell {
namespace {

using testing::GamePath;
using testing::ReadBytes;

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t Le16(std::span<const uint8_t> b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
bool Tag(std::span<const uint8_t> b, size_t at, const char* tag) {
    return b.size() >= at + 4 &&
           std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

TEST(ContentSound, EffectsAreEightBitMonoPcmWavesOfTheRightLength) {
    const uint32_t expected[4] = {8935, 22700, 1573, 6903};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("WAVDAT" + std::to_string(i));
        const std::span<const uint8_t> w = FindResource("WAVDAT" + std::to_string(i));
        ASSERT_GT(w.size(), 44u);
        EXPECT_TRUE(Tag(w, 0, "RIFF"));
        EXPECT_EQ(Le32(w, 4), w.size() - 8);
        EXPECT_TRUE(Tag(w, 8, "WAVE"));
        ASSERT_TRUE(Tag(w, 12, "fmt "));
        EXPECT_EQ(Le32(w, 16), 16u);
        EXPECT_EQ(Le16(w, 20), 1u);  // PCM
        EXPECT_EQ(Le16(w, 22), 1u);  // mono
        EXPECT_EQ(Le32(w, 24), 11025u);
        EXPECT_EQ(Le16(w, 34), 8u);
        ASSERT_TRUE(Tag(w, 36, "data"));
        const uint32_t length = Le32(w, 40);
        ASSERT_LE(44u + length, w.size());
        EXPECT_NEAR(static_cast<double>(length), expected[i], expected[i] * 0.05);

        const auto samples = w.subspan(44, length);
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        EXPECT_GT(*high - *low, 120) << "audible";
        EXPECT_NEAR(samples.front(), 128, 6) << "starts without a click";
        EXPECT_NEAR(samples.back(), 128, 6) << "ends without a click";
    }
    EXPECT_TRUE(FindResource("WAVDAT4").empty());
    EXPECT_TRUE(FindResource("").empty());
}

TEST(ContentResources, IconIsAnEmbeddedPng) {
    for (const char* name : {"VANTRICO", "VANTRICO32"}) {
        const std::span<const uint8_t> icon = FindResource(name);
        ASSERT_GT(icon.size(), 24u) << name;
        EXPECT_EQ(icon[0], 0x89);
        EXPECT_TRUE(Tag(icon, 1, "PNG\r"));
        EXPECT_TRUE(Tag(icon, 12, "IHDR"));
    }
    const std::span<const uint8_t> big = FindResource("VANTRICO");
    EXPECT_EQ(big[19], 64);  // width, low byte
}

struct MidiSummary {
    uint32_t format = 0;
    uint32_t tracks = 0;
    uint32_t division = 0;
    double seconds = 0.0;
    std::set<int> channels;
    bool drums = false;
};

uint32_t VarLen(const std::vector<uint8_t>& b, size_t& at, size_t end) {
    uint32_t v = 0;
    for (int k = 0; k < 4 && at < end; ++k) {
        const uint8_t byte = b[at++];
        v = v << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0) {
            return v;
        }
    }
    ADD_FAILURE() << "variable-length number runs past four bytes or the chunk";
    return v;
}

// Walks every chunk and event; fails the test on any malformed structure.
MidiSummary ReadMidi(const std::vector<uint8_t>& b) {
    MidiSummary m;
    EXPECT_TRUE(b.size() >= 14 && Tag(b, 0, "MThd"));
    if (b.size() < 14) {
        return m;
    }
    EXPECT_EQ(Be32(b, 4), 6u);
    m.format = b[8] << 8 | b[9];
    const uint32_t declared = b[10] << 8 | b[11];
    m.division = b[12] << 8 | b[13];
    uint32_t tempo = 500000;
    uint32_t endTick = 0;
    size_t at = 14;
    while (at < b.size()) {
        EXPECT_TRUE(Tag(b, at, "MTrk")) << "chunk at " << at;
        if (at + 8 > b.size()) {
            ADD_FAILURE() << "truncated chunk header";
            break;
        }
        const size_t end = at + 8 + Be32(b, at + 4);
        EXPECT_LE(end, b.size()) << "chunk length runs past the file";
        size_t p = at + 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        while (p < end && p < b.size()) {
            EXPECT_FALSE(ended) << "events after end-of-track";
            tick += VarLen(b, p, end);
            if (b[p] & 0x80) {
                status = b[p++];
            }
            if (status == 0xFF) {
                const uint8_t type = b[p++];
                const uint32_t len = VarLen(b, p, end);
                if (type == 0x51 && len == 3) {
                    tempo = static_cast<uint32_t>(b[p] << 16 | b[p + 1] << 8 | b[p + 2]);
                }
                ended = type == 0x2F;
                p += len;
                continue;
            }
            const int kind = status >> 4;
            const int channel = status & 15;
            if (kind == 0x9 && b[p + 1] > 0) {
                m.channels.insert(channel);
                m.drums = m.drums || channel == 9;
            }
            p += (kind == 0xC || kind == 0xD) ? 1 : 2;
        }
        EXPECT_TRUE(ended) << "track without end-of-track";
        EXPECT_EQ(p, end) << "track events do not fill the chunk exactly";
        endTick = std::max(endTick, tick);
        ++m.tracks;
        at = end;
    }
    EXPECT_EQ(m.tracks, declared);
    m.seconds = m.division > 0 ? static_cast<double>(endTick) / m.division * tempo / 1e6 : 0.0;
    return m;
}

TEST(ContentMusic, RaceMusicAndEndJingleAreWellFormedMidiFiles) {
    const MidiSummary race = ReadMidi(ReadBytes(GamePath("bgm1.mid")));
    EXPECT_EQ(race.format, 1u);
    EXPECT_GE(race.tracks, 4u);
    EXPECT_GE(race.seconds, 40.0);
    EXPECT_LE(race.seconds, 180.0);
    EXPECT_TRUE(race.drums) << "drums on channel 10";
    EXPECT_GE(race.channels.size(), 4u) << "several parts";

    const MidiSummary end = ReadMidi(ReadBytes(GamePath("stend.mid")));
    EXPECT_EQ(end.format, 1u);
    EXPECT_GE(end.seconds, 4.0);
    EXPECT_LE(end.seconds, 10.0);
}

}  // namespace
}  // namespace vantrell
