#include "sound_effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/file_bytes.h"
#include "common/prng.h"

namespace vantrell::contentgen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Signal = std::vector<double>;

double NoteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A struck bell: a few inharmonic partials, the higher ones dying faster.
void AddBell(Signal& s, double start, double hz, double gain, double decay) {
    static constexpr double kRatios[] = {1.0, 2.0, 2.76, 4.07, 5.40};
    static constexpr double kGains[] = {1.0, 0.45, 0.30, 0.14, 0.08};
    const int32_t first = static_cast<int32_t>(start * kEffectRate);
    for (size_t i = static_cast<size_t>(std::max(first, 0)); i < s.size(); ++i) {
        const double t = static_cast<double>(static_cast<int32_t>(i) - first) / kEffectRate;
        const double attack = std::min(1.0, t / 0.004);
        double v = 0.0;
        for (int p = 0; p < 5; ++p) {
            if (hz * kRatios[p] > kEffectRate * 0.45) {
                break;  // above what 11025 Hz can carry: it would alias into a false tone
            }
            v += kGains[p] * std::sin(kTwoPi * hz * kRatios[p] * t) *
                 std::exp(-t * decay * (1.0 + 0.8 * p));
        }
        s[i] += gain * attack * v;
    }
}

// A brass-like tone: harmonics falling off as 1/n, a soft attack, a little vibrato.
void AddBrass(Signal& s, double start, double length, double hz, double gain) {
    const int32_t first = static_cast<int32_t>(start * kEffectRate);
    const int32_t count = static_cast<int32_t>(length * kEffectRate);
    double phase = 0.0;
    for (int32_t k = 0; k < count; ++k) {
        const size_t i = static_cast<size_t>(first + k);
        if (i >= s.size()) {
            break;
        }
        const double t = static_cast<double>(k) / kEffectRate;
        const double vibrato = 1.0 + 0.006 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.3);
        phase += kTwoPi * hz * vibrato / kEffectRate;
        const double env = std::min(1.0, t / 0.025) * std::min(1.0, (length - t) / 0.06) *
                           (0.75 + 0.25 * std::exp(-t * 6.0));
        double v = 0.0;
        for (int n = 1; n <= 6; ++n) {
            if (hz * n < kEffectRate * 0.45) {
                v += std::sin(phase * n) / n;
            }
        }
        s[i] += gain * env * v;
    }
}

std::vector<uint8_t> Quantise(const Signal& s, uint64_t seed) {
    // Scale to a fixed peak so every effect sits at the same loudness, then dither lightly.
    double peak = 1e-9;
    for (double v : s) {
        peak = std::max(peak, std::abs(v));
    }
    tools::SplitMix64 rng(seed);
    std::vector<uint8_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const double dither = (rng.Unit() - rng.Unit()) * 0.5;
        const double v = 128.0 + s[i] / peak * 100.0 + dither;
        out[i] = static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    }
    return out;
}

// Short fades at both ends so no effect starts or stops with a click.
void FadeEnds(Signal& s, double fadeIn, double fadeOut) {
    const size_t in = static_cast<size_t>(fadeIn * kEffectRate);
    const size_t out = static_cast<size_t>(fadeOut * kEffectRate);
    for (size_t i = 0; i < s.size(); ++i) {
        double g = 1.0;
        if (i < in) {
            g = static_cast<double>(i) / static_cast<double>(in);
        }
        const size_t fromEnd = s.size() - 1 - i;
        if (fromEnd < out) {
            g *= static_cast<double>(fromEnd) / static_cast<double>(out);
        }
        s[i] *= g;
    }
}

Signal Chime() {
    Signal s(static_cast<size_t>(kEffectLengths[0]), 0.0);
    AddBell(s, 0.0, NoteHz(76), 0.8, 5.0);   // E6
    AddBell(s, 0.11, NoteHz(83), 0.7, 4.5);  // B6 a fifth above
    FadeEnds(s, 0.002, 0.12);
    return s;
}

Signal Fanfare() {
    Signal s(static_cast<size_t>(kEffectLengths[1]), 0.0);
    // Rising arpeggio C5 E5 G5 C6, then the full chord held with a bell on top.
    const int notes[] = {72, 76, 79, 84};
    for (int k = 0; k < 4; ++k) {
        AddBrass(s, 0.12 * k, 0.14, NoteHz(notes[k]), 0.5);
    }
    AddBrass(s, 0.48, 0.10, NoteHz(79), 0.45);
    const int chord[] = {72, 76, 79, 84};
    for (int n : chord) {
        AddBrass(s, 0.60, 1.42, NoteHz(n), 0.32);
    }
    AddBrass(s, 0.60, 1.42, NoteHz(60), 0.30);
    AddBell(s, 0.60, NoteHz(84), 0.25, 2.5);
    FadeEnds(s, 0.002, 0.35);
    return s;
}

Signal Beep() {
    Signal s(static_cast<size_t>(kEffectLengths[2]), 0.0);
    const double hz = NoteHz(81);  // A5
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kEffectRate;
        s[i] = std::sin(kTwoPi * hz * t) + 0.15 * std::sin(kTwoPi * 2.0 * hz * t);
    }
    FadeEnds(s, 0.006, 0.025);
    return s;
}

Signal StartSignal() {
    Signal s(static_cast<size_t>(kEffectLengths[3]), 0.0);
    // One octave above the countdown beep, bright, with a quick upward lift at the start.
    const double hz = NoteHz(93);  // A6
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kEffectRate;
        const double glide = 1.0 - 0.06 * std::exp(-t * 40.0);
        phase += kTwoPi * hz * glide / kEffectRate;
        const double env = 0.55 + 0.45 * std::exp(-t * 5.0);
        s[i] =
            env * (std::sin(phase) + 0.35 * std::sin(2.0 * phase) + 0.18 * std::sin(3.0 * phase));
    }
    FadeEnds(s, 0.004, 0.2);
    return s;
}

}  // namespace

std::vector<uint8_t> WaveImage(const std::vector<uint8_t>& samples, int32_t rate) {
    tools::Bytes out;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size());
    const uint32_t padded = dataSize + (dataSize & 1);  // RIFF chunks are word aligned
    tools::PutText(out, "RIFF");
    tools::PutLe32(out, 4 + 8 + 16 + 8 + padded);
    tools::PutText(out, "WAVE");
    tools::PutText(out, "fmt ");
    tools::PutLe32(out, 16);
    tools::PutLe16(out, 1);  // PCM
    tools::PutLe16(out, 1);  // mono
    tools::PutLe32(out, static_cast<uint32_t>(rate));
    tools::PutLe32(out, static_cast<uint32_t>(rate));  // bytes per second
    tools::PutLe16(out, 1);                            // block align
    tools::PutLe16(out, 8);                            // bits per sample
    tools::PutText(out, "data");
    tools::PutLe32(out, dataSize);
    out.insert(out.end(), samples.begin(), samples.end());
    if (padded != dataSize) {
        out.push_back(128);
    }
    return out;
}

std::vector<uint8_t> MakeEffectWave(int32_t index) {
    Signal s;
    switch (index) {
        case 0:
            s = Chime();
            break;
        case 1:
            s = Fanfare();
            break;
        case 2:
            s = Beep();
            break;
        default:
            s = StartSignal();
            break;
    }
    return WaveImage(Quantise(s, 0x5EED0000u + static_cast<uint64_t>(index)), kEffectRate);
}

}  // namespace vantrell::contentgen
