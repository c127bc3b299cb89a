// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time helper for the piano samples. Rendering one note per
// synthesizer run reloads the soundfont every time, so the build renders all
// notes in one run and this tool does the two steps around it:
//
//   velkaro_pianosamples midi OUT.mid
//       writes one MIDI file with every rendered key, NoteSpacingMs apart
//   velkaro_pianosamples cut RENDERED.wav OUTDIR
//       cuts the rendering into OUTDIR/<Pitch><octave>.wav, one mono file per
//       key, each tuned to equal temperament and scaled so that all sound
//       equally loud
//
// Plain C++ without Qt: it runs on the build machine before anything else exists.

#include "NotePitch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The piano's keys as MIDI numbers, A0 to C8. Every third key is rendered,
// from the lowest on; the program plays each key between them from its
// rendered neighbour a semitone away, which holds the samples of all 88 keys
// to about a third of their memory.
constexpr int LowestKey = 21;
constexpr int HighestKey = 108;
constexpr int KeyStep = 3;
constexpr int NoteCount = (HighestKey - LowestKey) / KeyStep + 1;
constexpr int MidiA4 = 69;
constexpr double A4Hz = 440.0;

constexpr int SampleRate = 44100;
constexpr int NoteSpacingMs = 2000;
// Piano settings: key held a second, then half a second of release.
constexpr int HoldMs = 1000;
constexpr int ReleaseMs = 500;
constexpr int PianoProgram = 0;
constexpr int Velocity = 100;
// The last part of each sample fades to zero, so that a player that cuts the
// end of a sound cuts only silence, and the end never clicks.
constexpr int FadeMs = 200;
// The synthesizer starts a note at the next block of 64 frames after its time;
// the search for the attack looks no further than this.
constexpr int OnsetSearchMs = 50;
// The soundfont's piano is tuned as pianos are, stretched: its lowest notes
// up to 10 cents flat, its highest up to 27 cents sharp. Each note is
// brought to equal temperament by playing it that much slower or faster,
// read between frames through a windowed sinc.
constexpr int TunerTaps = 64;
constexpr int TunerPhases = 1024;
constexpr double TunerBeta = 9.0;

// The soundfont's notes differ in loudness by several dB (one of its samples
// covers E-flat 5 to F-sharp 5 and is clearly quieter than its neighbours).
// Each note is scaled by one gain so that its A-weighted level over the first
// LoudnessMs matches one common target: the median of the notes' levels,
// lowered if that would lift any note's peak to PeakLimit (just under -3 dBFS).
constexpr int LoudnessMs = 500;
constexpr double PeakLimit = 23000.0;

// One tick is one millisecond: 500 ticks per quarter at the default 120 bpm.
constexpr int TicksPerQuarter = 500;

const std::array<const char *, 12> PitchNames = {"C",  "Cs", "D",  "Eb", "E",  "F",
                                                 "Fs", "G",  "Gs", "A",  "Bb", "B"};

int keyOf(int index)
{
    return LowestKey + index * KeyStep;
}

// MIDI's octaves start at C, its middle C (60) in octave 4.
std::string soundName(int key)
{
    return std::string(PitchNames[size_t(key % 12)]) + std::to_string(key / 12 - 1);
}

double equalTempered(int key)
{
    return A4Hz * std::exp2((key - MidiA4) / 12.0);
}

void putBigEndian(std::vector<uint8_t> &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(uint8_t(value >> (8 * i)));
}

void putVariableLength(std::vector<uint8_t> &out, uint32_t value)
{
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7f;
        value >>= 7;
    } while (value);
    while (n > 1)
        out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

bool writeMidi(const char *path)
{
    std::vector<uint8_t> track;
    putVariableLength(track, 0);
    track.insert(track.end(), {0xC0, PianoProgram});
    uint32_t now = 0;
    for (int i = 0; i < NoteCount; ++i) {
        const auto key = uint8_t(keyOf(i));
        const uint32_t on = uint32_t(i) * NoteSpacingMs;
        putVariableLength(track, on - now);
        track.insert(track.end(), {0x90, key, Velocity});
        putVariableLength(track, HoldMs);
        track.insert(track.end(), {0x80, key, 0});
        now = on + HoldMs;
    }
    putVariableLength(track, NoteSpacingMs);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    putBigEndian(file, 6, 4);
    putBigEndian(file, 0, 2); // one track
    putBigEndian(file, 1, 2);
    putBigEndian(file, TicksPerQuarter, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBigEndian(file, uint32_t(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.data()), std::streamsize(file.size()));
    return bool(out);
}

uint32_t littleEndian(const uint8_t *p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

void putLittleEndian(std::vector<uint8_t> &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

// Reads a 16-bit PCM WAV at SampleRate and mixes its channels down to mono.
bool readWav(const char *path, std::vector<int16_t> &mono)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (data.size() < 12 || std::memcmp(data.data(), "RIFF", 4) != 0 ||
        std::memcmp(data.data() + 8, "WAVE", 4) != 0) {
        std::fprintf(stderr, "%s: not a WAV file\n", path);
        return false;
    }
    int channels = 0;
    size_t pos = 12;
    while (pos + 8 <= data.size()) {
        const uint8_t *chunk = data.data() + pos;
        const size_t size = littleEndian(chunk + 4, 4);
        const size_t available = std::min(size, data.size() - pos - 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
            const uint32_t format = littleEndian(chunk + 8, 2);
            channels = int(littleEndian(chunk + 10, 2));
            const uint32_t rate = littleEndian(chunk + 12, 4);
            const uint32_t bits = littleEndian(chunk + 22, 2);
            if (format != 1 || bits != 16 || rate != SampleRate || channels < 1) {
                std::fprintf(stderr, "%s: expected %d Hz 16-bit PCM\n", path, SampleRate);
                return false;
            }
        } else if (std::memcmp(chunk, "data", 4) == 0 && channels > 0) {
            const size_t frames = available / (2 * size_t(channels));
            mono.resize(frames);
            for (size_t f = 0; f < frames; ++f) {
                int sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += int16_t(littleEndian(chunk + 8 + 2 * (f * channels + c), 2));
                mono[f] = int16_t(sum / channels);
            }
            return true;
        }
        pos += 8 + size + (size & 1);
    }
    std::fprintf(stderr, "%s: no audio data\n", path);
    return false;
}

bool writeWav(const std::string &path, const std::vector<int16_t> &samples)
{
    const auto dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    putLittleEndian(file, 36 + dataBytes, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittleEndian(file, 16, 4);
    putLittleEndian(file, 1, 2); // PCM
    putLittleEndian(file, 1, 2); // mono
    putLittleEndian(file, SampleRate, 4);
    putLittleEndian(file, SampleRate * 2, 4);
    putLittleEndian(file, 2, 2);
    putLittleEndian(file, 16, 2);
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    putLittleEndian(file, dataBytes, 4);
    for (int16_t s : samples)
        putLittleEndian(file, uint16_t(s), 2);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.data()), std::streamsize(file.size()));
    return bool(out);
}

// The A-weighting curve of IEC 61672 as a digital filter: the analog curve's
// poles (two at 20.6 Hz, one at 107.7 Hz, one at 737.9 Hz, two at 12194 Hz)
// mapped by the bilinear transform, and the whole scaled to 0 dB at 1 kHz.
// Measured with sines it follows the analog curve within 0.05 dB up to 4 kHz
// and falls below it towards the top of the band (1.5 dB at 10 kHz), inside
// the standard's tolerance and of no weight for a piano.
class AWeighting
{
public:
    AWeighting()
    {
        const double pairs[] = {20.598997, 20.598997, 107.65265, 737.86223};
        for (double f : pairs)
            m_sections.push_back(section(f, true));
        m_sections.push_back(section(12194.217, false));
        m_sections.push_back(section(12194.217, false));
        const std::complex<double> z = std::polar(1.0, 2.0 * M_PI * 1000.0 / SampleRate);
        std::complex<double> response = 1.0;
        for (const Section &s : m_sections)
            response *= (s.b0 + s.b1 / z) / (1.0 + s.a1 / z);
        m_scale = 1.0 / std::abs(response);
    }

    // The mean square of the weighted signal, relative to full scale.
    double meanSquare(const std::vector<int16_t> &samples)
    {
        std::vector<Section> sections = m_sections;
        double sum = 0.0;
        for (int16_t sample : samples) {
            double x = m_scale * sample / 32768.0;
            for (Section &s : sections) {
                const double y = s.b0 * x + s.b1 * s.x1 - s.a1 * s.y1;
                s.x1 = x;
                s.y1 = y;
                x = y;
            }
            sum += x * x;
        }
        return samples.empty() ? 0.0 : sum / double(samples.size());
    }

private:
    // One first-order section: y[n] = b0 x[n] + b1 x[n-1] - a1 y[n-1].
    struct Section
    {
        double b0, b1, a1;
        double x1 = 0.0, y1 = 0.0;
    };

    // s / (s + w) for a high-pass section, w / (s + w) for a low-pass one.
    static Section section(double poleHz, bool highPass)
    {
        const double k = 2.0 * SampleRate;
        const double w = 2.0 * M_PI * poleHz;
        const double a1 = -(k - w) / (k + w);
        if (highPass)
            return {k / (k + w), -k / (k + w), a1};
        return {w / (k + w), w / (k + w), a1};
    }

    std::vector<Section> m_sections;
    double m_scale = 1.0;
};

int peakOf(const std::vector<int16_t> &samples)
{
    int peak = 0;
    for (int16_t s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// Scales every note by one gain so that their A-weighted levels over the
// first LoudnessMs all meet one target, with every peak under PeakLimit.
// Fails on a silent note, which no gain could bring to the target.
bool matchLoudness(std::vector<std::vector<int16_t>> &notes)
{
    AWeighting weighting;
    const auto window = size_t(SampleRate) * LoudnessMs / 1000;
    std::vector<double> levels;
    for (const std::vector<int16_t> &note : notes) {
        const std::vector<int16_t> start(note.begin(),
                                         note.begin() + long(std::min(window, note.size())));
        const double meanSquare = weighting.meanSquare(start);
        if (meanSquare <= 0.0) {
            std::fprintf(stderr, "note %zu is silent\n", levels.size());
            return false;
        }
        levels.push_back(10.0 * std::log10(meanSquare));
    }
    std::vector<double> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const size_t middle = sorted.size() / 2;
    double target = sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    for (size_t i = 0; i < notes.size(); ++i)
        target = std::min(target, levels[i] + 20.0 * std::log10(PeakLimit / peakOf(notes[i])));
    for (size_t i = 0; i < notes.size(); ++i) {
        const double gain = std::pow(10.0, (target - levels[i]) / 20.0);
        for (int16_t &s : notes[i])
            s = int16_t(std::lround(s * gain));
    }
    return true;
}

// Reads the rendering between its frames, for tuning: a sinc windowed by a
// Kaiser window over TunerTaps frames, tabled at TunerPhases points between
// two frames and interpolated between them. Offline, it can afford twice the
// length of the mixer's.
class Tuner
{
public:
    Tuner() : m_table(size_t(TunerPhases + 1) * TunerTaps)
    {
        const double scale = besselI0(TunerBeta);
        for (int phase = 0; phase <= TunerPhases; ++phase) {
            for (int tap = 0; tap < TunerTaps; ++tap) {
                // The tap's distance from the point read, in frames.
                const double t = tap - (TunerTaps / 2 - 1) - double(phase) / TunerPhases;
                const double sinc = t == 0.0 ? 1.0 : std::sin(M_PI * t) / (M_PI * t);
                const double r = t / (TunerTaps / 2);
                const double window =
                    std::abs(r) >= 1.0 ? 0.0 : besselI0(TunerBeta * std::sqrt(1.0 - r * r)) / scale;
                m_table[size_t(phase * TunerTaps + tap)] = sinc * window;
            }
        }
    }

    // The value at position, in frames from samples[0]; zero outside them.
    double at(const std::vector<int16_t> &samples, double position) const
    {
        const double whole = std::floor(position);
        const double phases = (position - whole) * TunerPhases;
        const int phase = std::min(int(phases), TunerPhases - 1);
        const double between = phases - phase;
        const auto first = long(whole) - (TunerTaps / 2 - 1);
        double sum = 0.0;
        for (int tap = 0; tap < TunerTaps; ++tap) {
            const long i = first + tap;
            if (i < 0 || i >= long(samples.size()))
                continue;
            const double a = m_table[size_t(phase * TunerTaps + tap)];
            const double b = m_table[size_t((phase + 1) * TunerTaps + tap)];
            sum += samples[size_t(i)] * (a + between * (b - a));
        }
        return sum;
    }

private:
    static double besselI0(double x)
    {
        double sum = 1.0;
        double term = 1.0;
        for (int k = 1; term > 1e-12 * sum; ++k) {
            term *= (x / (2.0 * k)) * (x / (2.0 * k));
            sum += term;
        }
        return sum;
    }

    std::vector<double> m_table;
};

// The note of `length` frames from the rendering's frame onset on, played
// faster or slower so that its pitch is the key's in equal temperament.
// Fails for a note that does not measure within a quarter tone of its key,
// which no soundfont piano does: the rendering went wrong.
bool tune(const std::vector<int16_t> &all, size_t onset, size_t length, int key, const Tuner &tuner,
          std::vector<int16_t> &note)
{
    const double wanted = equalTempered(key);
    const double measured = NotePitch::of(all.data() + onset, all.size() - onset, wanted);
    if (!(std::abs(std::log2(measured / wanted)) * 1200.0 <= NotePitch::SearchCents)) {
        std::fprintf(stderr, "%s measures %.2f Hz, not %.2f Hz\n", soundName(key).c_str(), measured,
                     wanted);
        return false;
    }
    const double step = wanted / measured;
    note.resize(length);
    for (size_t i = 0; i < length; ++i) {
        const double value = tuner.at(all, double(onset) + double(i) * step);
        note[i] = int16_t(std::clamp(std::lround(value), -32768L, 32767L));
    }
    return true;
}

bool cutNotes(const char *renderedPath, const std::string &outDir)
{
    std::vector<int16_t> all;
    if (!readWav(renderedPath, all))
        return false;
    const size_t spacing = size_t(SampleRate) * NoteSpacingMs / 1000;
    const size_t length = size_t(SampleRate) * (HoldMs + ReleaseMs) / 1000;
    const size_t fade = size_t(SampleRate) * FadeMs / 1000;
    const size_t search = size_t(SampleRate) * OnsetSearchMs / 1000;
    const Tuner tuner;
    std::vector<std::vector<int16_t>> notes;
    for (int i = 0; i < NoteCount; ++i) {
        const size_t start = size_t(i) * spacing;
        if (start + spacing > all.size()) {
            std::fprintf(stderr, "%s: rendering ends before note %d\n", renderedPath, i);
            return false;
        }
        // Start at the attack: leading silence would delay every tap.
        size_t onset = start;
        while (onset < start + search && all[onset] == 0)
            ++onset;
        std::vector<int16_t> note;
        if (!tune(all, onset, length, keyOf(i), tuner, note))
            return false;
        for (size_t k = 0; k < fade; ++k) {
            const double gain = double(fade - 1 - k) / double(fade);
            int16_t &s = note[length - fade + k];
            s = int16_t(std::lround(s * gain));
        }
        notes.push_back(std::move(note));
    }
    if (!matchLoudness(notes))
        return false;
    for (int i = 0; i < NoteCount; ++i) {
        const std::string path = outDir + "/" + soundName(keyOf(i)) + ".wav";
        if (!writeWav(path, notes[size_t(i)])) {
            std::fprintf(stderr, "%s: cannot write\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "midi") == 0)
        return writeMidi(argv[2]) ? 0 : 1;
    if (argc == 4 && std::strcmp(argv[1], "cut") == 0)
        return cutNotes(argv[2], argv[3]) ? 0 : 1;
    std::fprintf(stderr, "usage: %s midi OUT.mid | cut RENDERED.wav OUTDIR\n", argv[0]);
    return 2;
}
