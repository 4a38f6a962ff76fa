// A small Standard MIDI File writer: format 1, one conductor track plus one track per part.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrell::contentgen {

class MidiTrack {
  public:
    explicit MidiTrack(std::string name) : name_(std::move(name)) {}

    void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);
    void Program(uint32_t tick, int channel, int program);
    void Controller(uint32_t tick, int channel, int controller, int value);
    void Tempo(uint32_t tick, uint32_t microsPerQuarter);
    void TimeSignature(uint32_t tick, int numerator, int denominatorPower);

    // The track chunk "MTrk" with its length, the track name first and end-of-track last.
    std::vector<uint8_t> Encode() const;
    // Tick of the last event (the end-of-track sits there).
    uint32_t EndTick() const;

  private:
    struct Event {
        uint32_t tick;
        int order;  // at one tick: note-offs first, then settings, then note-ons
        std::vector<uint8_t> bytes;
    };
    std::string name_;
    std::vector<Event> events_;
};

// The whole file: "MThd" (format 1, the track count, ticks per quarter note) and the tracks.
std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, uint16_t ticksPerQuarter);

}  // namespace vantrell::contentgen
