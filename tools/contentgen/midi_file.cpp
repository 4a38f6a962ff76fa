#include "midi_file.h"

#include <algorithm>

#include "common/file_bytes.h"

namespace vantrell::contentgen {

namespace {

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n > 1) {
        out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    }
    out.push_back(groups[0]);
}

uint8_t Clamp7(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 127));
}

}  // namespace

void MidiTrack::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
    const uint8_t ch = static_cast<uint8_t>(channel & 15);
    events_.push_back({tick, 2, {static_cast<uint8_t>(0x90 | ch), Clamp7(key), Clamp7(velocity)}});
    events_.push_back({tick + length, 0, {static_cast<uint8_t>(0x80 | ch), Clamp7(key), 64}});
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
    events_.push_back({tick, 1, {static_cast<uint8_t>(0xC0 | (channel & 15)), Clamp7(program)}});
}

void MidiTrack::Controller(uint32_t tick, int channel, int controller, int value) {
    events_.push_back(
        {tick,
         1,
         {static_cast<uint8_t>(0xB0 | (channel & 15)), Clamp7(controller), Clamp7(value)}});
}

void MidiTrack::Tempo(uint32_t tick, uint32_t micros) {
    events_.push_back({tick,
                       1,
                       {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16),
                        static_cast<uint8_t>(micros >> 8), static_cast<uint8_t>(micros)}});
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
    events_.push_back(
        {tick, 1, {0xFF, 0x58, 0x04, Clamp7(numerator), Clamp7(denominatorPower), 24, 8}});
}

uint32_t MidiTrack::EndTick() const {
    uint32_t end = 0;
    for (const Event& e : events_) {
        end = std::max(end, e.tick);
    }
    return end;
}

std::vector<uint8_t> MidiTrack::Encode() const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    // Track name meta event at tick 0.
    body.push_back(0);
    body.push_back(0xFF);
    body.push_back(0x03);
    PutVarLen(body, static_cast<uint32_t>(name_.size()));
    body.insert(body.end(), name_.begin(), name_.end());
    uint32_t now = 0;
    for (const Event& e : sorted) {
        PutVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});  // end of track

    std::vector<uint8_t> chunk;
    tools::PutText(chunk, "MTrk");
    tools::PutBe32(chunk, static_cast<uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks,
                                    uint16_t ticksPerQuarter) {
    std::vector<uint8_t> out;
    tools::PutText(out, "MThd");
    tools::PutBe32(out, 6);
    tools::PutBe16(out, 1);  // format 1: simultaneous tracks
    tools::PutBe16(out, static_cast<uint32_t>(tracks.size()));
    tools::PutBe16(out, ticksPerQuarter);
    for (const MidiTrack& t : tracks) {
        const std::vector<uint8_t> chunk = t.Encode();
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

}  // namespace vantrell::contentgen
