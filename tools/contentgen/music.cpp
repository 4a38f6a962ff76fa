#include "music.h"

#include <array>
#include <string>

#include "midi_file.h"

namespace vantrell::contentgen {

namespace {

constexpr uint16_t kQuarter = 480;
constexpr uint32_t kEighth = kQuarter / 2;
constexpr uint32_t kBar = kQuarter * 4;
constexpr int kDrumChannel = 9;

// General MIDI programs (0-based) and drum keys.
constexpr int kSquareLead = 80;
constexpr int kSynthBass = 38;
constexpr int kWarmPad = 89;
constexpr int kVibraphone = 11;
constexpr int kBrassSection = 61;
constexpr int kStrings = 48;
constexpr int kTimpani = 47;
constexpr int kKick = 36;
constexpr int kSnare = 38;
constexpr int kClosedHat = 42;
constexpr int kOpenHat = 46;
constexpr int kCrash = 49;
constexpr int kLowTom = 45;
constexpr int kMidTom = 47;
constexpr int kHighTom = 50;

struct Chord {
    int root;                  // bass note, octave 2
    std::array<int, 3> tones;  // voiced around middle C
};

// Chords of the race music.
constexpr Chord kAm{45, {57, 60, 64}};
constexpr Chord kF{41, {57, 60, 65}};
constexpr Chord kC{48, {55, 60, 64}};
constexpr Chord kG{43, {55, 59, 62}};
constexpr Chord kE{40, {56, 59, 64}};
constexpr Chord kEm{40, {55, 59, 64}};
constexpr Chord kDm{50, {57, 62, 65}};

// A melody note: key (0 = rest) and length in eighths.
struct Step {
    int key;
    int eighths;
};

struct Section {
    std::vector<Chord> chords;  // one per bar
    std::vector<Step> melody;   // exactly 8 eighths per bar
    bool drumsBusy;
    bool arpeggio;
};

const std::vector<Step> kVerseMelody = {
    {76, 2}, {81, 2}, {84, 1}, {83, 1}, {81, 1}, {76, 1},  // Am
    {77, 2}, {81, 2}, {84, 2}, {81, 1}, {77, 1},           // F
    {79, 2}, {84, 2}, {88, 2}, {86, 1}, {84, 1},           // C
    {83, 3}, {79, 1}, {74, 2}, {79, 2},                    // G
    {81, 2}, {84, 2}, {88, 3}, {86, 1},                    // Am
    {84, 2}, {81, 2}, {77, 2}, {81, 2},                    // F
    {79, 2}, {83, 2}, {86, 2}, {83, 1}, {79, 1},           // G
    {80, 4}, {76, 2}, {83, 2},                             // E
};

const std::vector<Step> kChorusMelody = {
    {81, 3}, {84, 3}, {81, 2},           // F
    {83, 3}, {86, 3}, {83, 2},           // G
    {79, 2}, {83, 2}, {88, 4},           // Em
    {84, 4}, {81, 4},                    // Am
    {77, 2}, {81, 2}, {86, 3}, {84, 1},  // Dm
    {83, 2}, {79, 2}, {74, 2}, {79, 2},  // G
    {76, 2}, {79, 2}, {84, 4},           // C
    {83, 2}, {80, 2}, {76, 2}, {71, 2},  // E
};

const std::vector<Step> kFinalMelody = {
    {76, 2}, {81, 2}, {84, 1}, {83, 1}, {81, 1}, {76, 1}, {77, 2}, {81, 2},
    {84, 2}, {81, 1}, {77, 1}, {79, 2}, {84, 2}, {88, 2}, {86, 1}, {84, 1},
    {83, 3}, {79, 1}, {74, 2}, {79, 2}, {81, 2}, {84, 2}, {88, 3}, {86, 1},
    {84, 2}, {81, 2}, {77, 2}, {81, 2}, {83, 2}, {86, 2}, {88, 4}, {81, 8},
};

struct Arrangement {
    MidiTrack lead{"Lead"};
    MidiTrack bass{"Bass"};
    MidiTrack pad{"Pad"};
    MidiTrack arp{"Vibes"};
    MidiTrack drums{"Drums"};
};

void AddDrumBar(MidiTrack& d, uint32_t at, bool busy, bool fill, bool crash) {
    for (uint32_t e = 0; e < 8; ++e) {
        const uint32_t t = at + e * kEighth;
        const bool fillZone = fill && e >= 6;
        if (!fillZone) {
            d.Note(t, kEighth / 2, kDrumChannel, (busy && e == 7) ? kOpenHat : kClosedHat,
                   e % 2 == 0 ? 78 : 58);
        }
        if (e == 0 || e == 4 || (busy && e == 5)) {
            d.Note(t, kEighth / 2, kDrumChannel, kKick, e == 0 ? 110 : 98);
        }
        if ((e == 2 || e == 6) && !fillZone) {
            d.Note(t, kEighth / 2, kDrumChannel, kSnare, 96);
        }
    }
    if (crash) {
        d.Note(at, kQuarter, kDrumChannel, kCrash, 100);
    }
    if (fill) {
        // Sixteenths down the toms over the last beat.
        const int toms[] = {kHighTom, kHighTom, kMidTom, kLowTom};
        for (uint32_t k = 0; k < 4; ++k) {
            d.Note(at + 6 * kEighth + k * kEighth / 2, kEighth / 2, kDrumChannel, toms[k],
                   90 + static_cast<int>(k) * 6);
        }
        d.Note(at + 6 * kEighth, kEighth / 2, kDrumChannel, kSnare, 100);
    }
}

void AddBassBar(MidiTrack& b, uint32_t at, const Chord& c, bool busy) {
    // Root, root, octave, root / root, fifth, octave, fifth: a driving eighth-note line.
    const int pattern[] = {0, 0, 12, 0, 0, 7, 12, 7};
    for (uint32_t e = 0; e < 8; ++e) {
        const int key = c.root + (busy ? pattern[e] : (e % 4 == 2 ? 12 : 0));
        b.Note(at + e * kEighth, kEighth - 30, 1, key, e % 2 == 0 ? 100 : 84);
    }
}

void AddPadBar(MidiTrack& p, uint32_t at, const Chord& c, int velocity) {
    for (int k : c.tones) {
        p.Note(at, kBar - 20, 2, k, velocity);
    }
}

void AddArpBar(MidiTrack& a, uint32_t at, const Chord& c) {
    const int order[] = {0, 1, 2, 1};
    for (uint32_t s = 0; s < 16; ++s) {
        const int key = c.tones[static_cast<size_t>(order[s % 4])] + 12 + (s >= 8 ? 12 : 0);
        a.Note(at + s * kEighth / 2, kEighth / 2 - 10, 3, key, s % 4 == 0 ? 70 : 52);
    }
}

uint32_t AddMelody(MidiTrack& lead, uint32_t at, const std::vector<Step>& melody, int velocity) {
    uint32_t t = at;
    for (const Step& s : melody) {
        const uint32_t len = static_cast<uint32_t>(s.eighths) * kEighth;
        if (s.key > 0) {
            lead.Note(t, len - 24, 0, s.key, velocity + (s.eighths >= 3 ? 6 : 0));
        }
        t += len;
    }
    return t;
}

uint32_t AddSection(Arrangement& a, uint32_t at, const Section& s, bool crashFirst) {
    const uint32_t bars = static_cast<uint32_t>(s.chords.size());
    for (uint32_t b = 0; b < bars; ++b) {
        const uint32_t t = at + b * kBar;
        const Chord& c = s.chords[b];
        AddBassBar(a.bass, t, c, s.drumsBusy);
        AddPadBar(a.pad, t, c, s.melody.empty() ? 72 : 58);
        if (s.arpeggio) {
            AddArpBar(a.arp, t, c);
        }
        AddDrumBar(a.drums, t, s.drumsBusy, b + 1 == bars, crashFirst && b == 0);
    }
    if (!s.melody.empty()) {
        AddMelody(a.lead, at, s.melody, 96);
    }
    return at + bars * kBar;
}

MidiTrack Conductor(const char* title, uint32_t microsPerQuarter) {
    MidiTrack c(title);
    c.Tempo(0, microsPerQuarter);
    c.TimeSignature(0, 4, 2);
    return c;
}

void SetUpChannel(MidiTrack& t, int channel, int program, int volume, int pan, int reverb) {
    t.Program(0, channel, program);
    t.Controller(0, channel, 7, volume);
    t.Controller(0, channel, 10, pan);
    t.Controller(0, channel, 91, reverb);
}

}  // namespace

std::vector<uint8_t> ComposeRaceMusic() {
    Arrangement a;
    SetUpChannel(a.lead, 0, kSquareLead, 92, 64, 40);
    SetUpChannel(a.bass, 1, kSynthBass, 104, 64, 10);
    SetUpChannel(a.pad, 2, kWarmPad, 70, 44, 70);
    SetUpChannel(a.arp, 3, kVibraphone, 72, 88, 60);
    SetUpChannel(a.drums, kDrumChannel, 0, 100, 64, 30);

    const std::vector<Chord> verse = {kAm, kF, kC, kG, kAm, kF, kG, kE};
    const std::vector<Chord> chorus = {kF, kG, kEm, kAm, kDm, kG, kC, kE};
    const Section intro{{kAm, kF, kG, kE}, {}, false, false};
    const Section verseA{verse, kVerseMelody, false, false};
    const Section chorusB{chorus, kChorusMelody, true, true};
    const Section verseBusy{verse, kVerseMelody, true, true};
    const Section finale{{kAm, kF, kC, kG, kAm, kF, kG, kAm}, kFinalMelody, true, false};

    uint32_t t = 0;
    t = AddSection(a, t, intro, true);
    t = AddSection(a, t, verseA, true);
    t = AddSection(a, t, chorusB, true);
    t = AddSection(a, t, verseBusy, true);
    t = AddSection(a, t, chorusB, true);
    t = AddSection(a, t, finale, true);
    // Closing chord with a crash, left to ring for a bar.
    AddPadBar(a.pad, t, kAm, 80);
    a.bass.Note(t, kBar, 1, kAm.root, 100);
    a.lead.Note(t, kBar, 0, 81, 100);
    a.drums.Note(t, kQuarter, kDrumChannel, kCrash, 110);
    a.drums.Note(t, kQuarter, kDrumChannel, kKick, 110);

    std::vector<MidiTrack> tracks;
    tracks.push_back(Conductor("Vantrell race", 428571));  // 140 beats per minute
    tracks.push_back(a.lead);
    tracks.push_back(a.bass);
    tracks.push_back(a.pad);
    tracks.push_back(a.arp);
    tracks.push_back(a.drums);
    return EncodeMidiFile(tracks, kQuarter);
}

std::vector<uint8_t> ComposeEndJingle() {
    MidiTrack brass("Brass");
    MidiTrack strings("Strings");
    MidiTrack timpani("Timpani");
    MidiTrack drums("Drums");
    SetUpChannel(brass, 0, kBrassSection, 104, 64, 50);
    SetUpChannel(strings, 1, kStrings, 84, 64, 70);
    SetUpChannel(timpani, 2, kTimpani, 96, 64, 40);
    SetUpChannel(drums, kDrumChannel, 0, 96, 64, 40);

    // Triplet pick-up G4 C5 E5, then G5 and a held C6 over C, F, G and C at 120 beats per minute.
    const uint32_t triplet = kQuarter / 3;
    const int pickup[] = {67, 72, 76};
    for (uint32_t k = 0; k < 3; ++k) {
        brass.Note(k * triplet, triplet - 10, 0, pickup[k], 96);
    }
    brass.Note(kQuarter, kQuarter - 20, 0, 79, 104);
    brass.Note(2 * kQuarter, kQuarter / 2 - 10, 0, 76, 96);
    brass.Note(2 * kQuarter + kQuarter / 2, kQuarter / 2 - 10, 0, 79, 100);
    brass.Note(3 * kQuarter, 2 * kQuarter - 20, 0, 81, 104);
    brass.Note(5 * kQuarter, kQuarter - 20, 0, 83, 104);
    brass.Note(6 * kQuarter, 5 * kQuarter, 0, 84, 112);
    const std::array<std::array<int, 4>, 4> chords = {
        {{48, 60, 64, 67}, {53, 60, 65, 69}, {55, 62, 67, 71}, {48, 60, 64, 72}}};
    const uint32_t starts[] = {kQuarter, 3 * kQuarter, 5 * kQuarter, 6 * kQuarter};
    const uint32_t lengths[] = {2 * kQuarter, 2 * kQuarter, kQuarter, 5 * kQuarter};
    for (size_t c = 0; c < chords.size(); ++c) {
        for (int key : chords[c]) {
            strings.Note(starts[c], lengths[c] - 20, 1, key, 84);
        }
        timpani.Note(starts[c], kQuarter, 2, chords[c][0] - 12 + (c == 2 ? 7 : 0), 100);
    }
    // Timpani roll into the last chord, crash on it.
    for (uint32_t k = 0; k < 8; ++k) {
        timpani.Note(5 * kQuarter + k * kQuarter / 8, kQuarter / 8, 2, 43,
                     70 + static_cast<int>(k) * 5);
    }
    drums.Note(kQuarter, kQuarter, kDrumChannel, kCrash, 96);
    drums.Note(6 * kQuarter, 2 * kQuarter, kDrumChannel, kCrash, 118);
    drums.Note(6 * kQuarter, kQuarter, kDrumChannel, kKick, 118);

    std::vector<MidiTrack> tracks;
    tracks.push_back(Conductor("Vantrell goal", 500000));  // 120 beats per minute
    tracks.push_back(brass);
    tracks.push_back(strings);
    tracks.push_back(timpani);
    tracks.push_back(drums);
    return EncodeMidiFile(tracks, kQuarter);
}

}  // namespace vantrell::contentgen
