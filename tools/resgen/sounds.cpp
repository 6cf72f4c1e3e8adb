// Sound synthesis. Every note fades in and out along a raised cosine and the whole
// sound ends on silence, so nothing clicks when PlaySound starts or stops it.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "wave_file.h"

namespace {

constexpr double kPeak = 0.55;  // of full scale: the sounds stay quiet beside the game's

struct Partial {
    double ratio;
    double gain;
};

struct Note {
    double start;     // seconds
    double duration;  // seconds
    double frequency;
    double gain;
    double decay;  // per second
};

// Bell-like: a few partials, the upper ones slightly inharmonic.
constexpr Partial kBell[] = {{1.0, 1.0}, {2.0, 0.35}, {3.01, 0.12}, {4.2, 0.05}};
// Hollow, clarinet-like: odd partials only, used for the warning.
constexpr Partial kHollow[] = {{1.0, 1.0}, {3.0, 0.22}, {5.0, 0.07}};
constexpr Partial kTick[] = {{1.0, 1.0}, {2.7, 0.4}};

double Fade(double t, double length) {
    if (t <= 0) return 0;
    if (t >= length) return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

template <std::size_t N>
void AddNote(std::vector<double>& buffer, const Note& note, const Partial (&partials)[N],
             double attack) {
    constexpr double kRelease = 0.03;
    int first = static_cast<int>(note.start * kSampleRate);
    int count = static_cast<int>(note.duration * kSampleRate);
    for (int i = 0; i < count && first + i < static_cast<int>(buffer.size()); ++i) {
        double t = double(i) / kSampleRate;
        double envelope =
            Fade(t, attack) * Fade(note.duration - t, kRelease) * std::exp(-note.decay * t);
        double value = 0;
        for (const Partial& p : partials) {
            // Upper partials die away faster, as they do on a struck bar.
            value += p.gain * std::exp(-note.decay * (p.ratio - 1) * 0.5 * t) *
                     std::sin(2 * std::numbers::pi * note.frequency * p.ratio * t);
        }
        buffer[first + i] += note.gain * envelope * value;
    }
}

// Short filtered-noise transient under the click's tick, from a fixed-seed generator.
void AddNoiseBurst(std::vector<double>& buffer, double duration, double gain) {
    std::uint32_t state = 0x2545F491u;
    double low = 0;
    int count = static_cast<int>(duration * kSampleRate);
    for (int i = 0; i < count && i < static_cast<int>(buffer.size()); ++i) {
        state = state * 1664525u + 1013904223u;
        double white = (state >> 8) / double(1 << 24) * 2 - 1;
        low += 0.35 * (white - low);
        double t = double(i) / kSampleRate;
        buffer[i] += gain * low * Fade(t, 0.003) * std::exp(-t * 160);
    }
}

std::vector<double> Compose(int id) {
    auto make = [](double seconds) {
        return std::vector<double>(static_cast<std::size_t>(seconds * kSampleRate), 0.0);
    };
    std::vector<double> buffer;
    switch (id) {
        case 1001:  // leaving: a falling fifth
            buffer = make(0.70);
            AddNote(buffer, {0.00, 0.40, 783.99, 1.0, 6.0}, kBell, 0.006);
            AddNote(buffer, {0.16, 0.54, 523.25, 1.0, 4.5}, kBell, 0.006);
            break;
        case 1002:  // error: two low hollow tones, falling a major third
            buffer = make(0.46);
            AddNote(buffer, {0.00, 0.21, 329.63, 1.0, 3.0}, kHollow, 0.015);
            AddNote(buffer, {0.19, 0.27, 261.63, 1.0, 4.0}, kHollow, 0.015);
            break;
        case 1003:  // logged in: a rising major arpeggio
            buffer = make(0.62);
            AddNote(buffer, {0.00, 0.30, 523.25, 0.8, 7.0}, kBell, 0.005);
            AddNote(buffer, {0.09, 0.30, 659.25, 0.8, 7.0}, kBell, 0.005);
            AddNote(buffer, {0.18, 0.30, 783.99, 0.8, 7.0}, kBell, 0.005);
            AddNote(buffer, {0.27, 0.35, 1046.50, 0.9, 6.0}, kBell, 0.005);
            break;
        case 1004:  // click: a bright tick over a puff of noise
            buffer = make(0.06);
            AddNote(buffer, {0.00, 0.06, 1760.0, 1.0, 70.0}, kTick, 0.003);
            AddNoiseBurst(buffer, 0.05, 0.5);
            break;
        case 1005:  // contact online: a light rising fourth
            buffer = make(0.50);
            AddNote(buffer, {0.00, 0.22, 987.77, 0.9, 8.0}, kBell, 0.004);
            AddNote(buffer, {0.12, 0.38, 1318.51, 0.9, 6.5}, kBell, 0.004);
            break;
        default:
            break;
    }
    return buffer;
}

}  // namespace

std::vector<std::int16_t> SynthesiseSound(int id) {
    std::vector<double> buffer = Compose(id);
    double peak = 0;
    for (double v : buffer)
        peak = std::max(peak, std::abs(v));
    double scale = peak > 0 ? kPeak * 32767 / peak : 0;
    std::vector<std::int16_t> samples;
    samples.reserve(buffer.size());
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        double tail = double(buffer.size() - 1 - i) / kSampleRate;
        double v = buffer[i] * scale * Fade(tail, 0.008);
        samples.push_back(static_cast<std::int16_t>(std::lround(v)));
    }
    return samples;
}
