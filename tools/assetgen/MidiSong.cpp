// MidiSong: composes the menu and game music (drums, bass, chords, lead) and writes musique.mid.
#include "tools/assetgen/MidiSong.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <vector>

namespace assetgen {
namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kBar = 4 * kTicksPerQuarter;
constexpr int kTempoBpm = 136;

enum Channel { kLead = 0, kBass = 1, kChords = 2, kArp = 3, kDrums = 9 };

// General MIDI drum keys.
enum Drum {
    kKick = 36,
    kSnare = 38,
    kClap = 39,
    kHatClosed = 42,
    kHatOpen = 46,
    kCrash = 49,
    kTomLow = 45,
    kTomMid = 47,
    kTomHigh = 50,
    kTambourine = 54
};

struct Event {
    int tick;
    int order;  // note-offs sort before note-ons on the same tick, so repeated notes restart
    std::vector<uint8_t> bytes;
};

class Song {
public:
    void note(int channel, int tick, int length, int key, int velocity) {
        events_.push_back({tick, 1, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)}});
        events_.push_back(
            {tick + std::max(1, length - 8), 0, {uint8_t(0x80 | channel), uint8_t(key), 0}});
    }
    void control(int channel, int tick, int controller, int value) {
        events_.push_back(
            {tick, -1, {uint8_t(0xB0 | channel), uint8_t(controller), uint8_t(value)}});
    }
    void program(int channel, int tick, int instrument) {
        events_.push_back({tick, -1, {uint8_t(0xC0 | channel), uint8_t(instrument)}});
    }
    void meta(int tick, uint8_t type, const std::vector<uint8_t>& data) {
        std::vector<uint8_t> bytes = {0xFF, type, uint8_t(data.size())};
        bytes.insert(bytes.end(), data.begin(), data.end());
        events_.push_back({tick, -2, bytes});
    }

    bool write(const std::string& path, int endTick) {
        meta(endTick, 0x2F, {});
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> track;
        int last = 0;
        for (const Event& e : events_) {
            if (e.tick > endTick)
                continue;
            putVarLen(track, uint32_t(e.tick - last));
            last = e.tick;
            track.insert(track.end(), e.bytes.begin(), e.bytes.end());
        }
        std::vector<uint8_t> file = {'M',
                                     'T',
                                     'h',
                                     'd',
                                     0,
                                     0,
                                     0,
                                     6,
                                     0,
                                     0,
                                     0,
                                     1,
                                     uint8_t(kTicksPerQuarter >> 8),
                                     uint8_t(kTicksPerQuarter)};
        const uint32_t n = uint32_t(track.size());
        const uint8_t head[] = {
            'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
        file.insert(file.end(), head, head + 8);
        file.insert(file.end(), track.begin(), track.end());
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) {
            std::perror(path.c_str());
            return false;
        }
        const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
        return std::fclose(f) == 0 && ok;
    }

private:
    static void putVarLen(std::vector<uint8_t>& out, uint32_t v) {
        uint8_t bytes[5];
        int n = 0;
        do {
            bytes[n++] = uint8_t(v & 0x7F);
            v >>= 7;
        } while (v);
        while (n--)
            out.push_back(uint8_t(bytes[n] | (n ? 0x80 : 0)));
    }

    std::vector<Event> events_;
};

// "C5" -> 72 (middle C is C4 = 60).
int pitch(const std::string& name) {
    static const int semitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int key = semitone[name[0] - 'A'];
    size_t i = 1;
    if (i < name.size() && name[i] == '#')
        ++key, ++i;
    if (i < name.size() && name[i] == 'b')
        --key, ++i;
    return key + 12 * (std::stoi(name.substr(i)) + 1);
}

// A melody line: tokens "E5:2" (note, length in eighths) or "R:2" (rest).
int melody(Song& song, int channel, int tick, const std::string& line, int velocity) {
    std::istringstream in(line);
    std::string token;
    int beat = 0;
    while (in >> token) {
        const size_t colon = token.find(':');
        const int eighths = std::stoi(token.substr(colon + 1));
        if (token[0] != 'R') {
            const int accent = (beat % 4 == 0) ? 12 : 0;
            song.note(channel, tick, eighths * kEighth, pitch(token.substr(0, colon)),
                      std::min(127, velocity + accent));
        }
        tick += eighths * kEighth;
        beat += eighths;
    }
    return tick;
}

struct Chord {
    const char* name;
    int root;                // bass root (octave 2)
    std::vector<int> voice;  // chord tones around middle C
};

const Chord kC{"C", 36, {60, 64, 67}};
const Chord kG{"G", 43, {59, 62, 67}};
const Chord kAm{"Am", 45, {57, 60, 64}};
const Chord kF{"F", 41, {57, 60, 65}};
const Chord kEm{"Em", 40, {59, 64, 67}};

// Bouncy octave bass in eighths: root, root, octave, root, fifth, root, octave, fifth.
void bassBar(Song& song, int tick, const Chord& chord, bool busy) {
    static const int busyPattern[] = {0, 0, 12, 0, 7, 0, 12, 7};
    static const int calmPattern[] = {0, -1, -1, 0, 7, -1, 0, -1};
    for (int i = 0; i < 8; ++i) {
        const int step = busy ? busyPattern[i] : calmPattern[i];
        if (step < 0)
            continue;
        song.note(kBass, tick + i * kEighth, kEighth, chord.root + step, i % 2 ? 88 : 104);
    }
}

// Off-beat chord stabs: the skank that makes it bounce.
void chordBar(Song& song, int tick, const Chord& chord) {
    for (int i = 1; i < 8; i += 2) {
        for (int key : chord.voice)
            song.note(kChords, tick + i * kEighth, kEighth, key, 70);
    }
}

void arpeggioBar(Song& song, int tick, const Chord& chord) {
    const int up[] = {chord.voice[0], chord.voice[1], chord.voice[2], chord.voice[0] + 12};
    for (int i = 0; i < 8; ++i) {
        const int key = up[i < 4 ? i : 7 - i] + 12;
        song.note(kArp, tick + i * kEighth, kEighth, key, i % 2 ? 62 : 78);
    }
}

enum class Groove { Intro, Full, Half };

void drumBar(Song& song, int tick, Groove groove, bool fill, bool crash) {
    if (crash)
        song.note(kDrums, tick, kEighth, kCrash, 100);
    for (int i = 0; i < 8; ++i) {
        const int t = tick + i * kEighth;
        if (fill && i >= 4) {
            static const int toms[] = {kTomHigh, kTomMid, kTomLow, kSnare};
            song.note(kDrums, t, kEighth, toms[i - 4], 100);
            song.note(kDrums, t + kEighth / 2, kEighth / 2, toms[i - 4], 80);
            continue;
        }
        const bool kick = i == 0 || i == 4 || (groove == Groove::Full && (i == 3 || i == 6));
        if (kick)
            song.note(kDrums, t, kEighth, kKick, 110);
        if (groove != Groove::Intro && (i == 2 || i == 6)) {
            song.note(kDrums, t, kEighth, kSnare, 100);
            if (groove == Groove::Full)
                song.note(kDrums, t, kEighth, kClap, 70);
        }
        song.note(kDrums, t, kEighth, i == 7 && groove == Groove::Full ? kHatOpen : kHatClosed,
                  i % 2 ? 60 : 85);
        if (groove == Groove::Half && i % 2)
            song.note(kDrums, t, kEighth, kTambourine, 55);
    }
}

const char* kThemeA[] = {"E5:1 G5:1 C6:2 B5:1 G5:1 E5:2",      "D5:1 G5:1 B5:2 A5:1 G5:1 D5:2",
                         "E5:1 A5:1 C6:2 B5:1 A5:1 E5:1 G5:1", "F5:2 A5:1 G5:1 F5:1 E5:1 D5:1 C5:1",
                         "E5:1 G5:1 C6:2 B5:1 G5:1 E5:2",      "D5:1 G5:1 B5:2 A5:1 G5:1 D5:2",
                         "E5:1 A5:1 C6:2 B5:1 A5:1 E5:1 G5:1", "F5:1 E5:1 D5:1 E5:1 C5:4"};
const char* kThemeB[] = {"A5:2 C6:2 A5:1 G5:1 F5:2",      "G5:2 B5:2 D6:2 B5:2",
                         "G5:1 E5:1 G5:1 B5:1 E6:2 D6:2", "C6:3 B5:1 A5:4",
                         "A5:1 A5:1 C6:1 A5:1 F5:2 A5:2", "B5:1 B5:1 D6:1 B5:1 G5:2 B5:2",
                         "C6:2 G5:2 E5:2 G5:2",           "C6:6 R:2"};
const char* kThemeAHigh[] = {"G5:1 C6:1 E6:2 D6:1 C6:1 G5:2",      "G5:1 B5:1 D6:2 C6:1 B5:1 G5:2",
                             "A5:1 C6:1 E6:2 D6:1 C6:1 A5:1 B5:1", "C6:2 A5:1 C6:1 F6:2 E6:1 D6:1",
                             "G5:1 C6:1 E6:2 D6:1 C6:1 G5:2",      "G5:1 B5:1 D6:2 C6:1 B5:1 G5:2",
                             "A5:1 C6:1 E6:2 D6:1 C6:1 A5:1 B5:1", "D6:1 C6:1 B5:1 D6:1 C6:4"};

}  // namespace

bool writeMusic(const std::string& path) {
    Song song;
    const int tempo = 60000000 / kTempoBpm;
    song.meta(0, 0x51, {uint8_t(tempo >> 16), uint8_t(tempo >> 8), uint8_t(tempo)});
    song.meta(0, 0x58, {4, 2, 24, 8});
    const std::string title = "Zorblat - Loutres en goguette";
    song.meta(0, 0x03, std::vector<uint8_t>(title.begin(), title.end()));
    // Square lead, synth bass, electric piano stabs, vibraphone arpeggios.
    const int programs[][2] = {{kLead, 80}, {kBass, 38}, {kChords, 4}, {kArp, 11}};
    for (const auto& p : programs)
        song.program(p[0], 0, p[1]);
    const int levels[][3] = {
        {kLead, 80, 64}, {kBass, 96, 64}, {kChords, 58, 40}, {kArp, 56, 88}, {kDrums, 90, 64}};
    for (const auto& l : levels) {
        song.control(l[0], 0, 7, l[1]);   // volume
        song.control(l[0], 0, 10, l[2]);  // pan
        song.control(l[0], 0, 91, 40);    // a little reverb
    }

    const std::vector<Chord> verse = {kC, kG, kAm, kF, kC, kG, kAm, kF};
    const std::vector<Chord> chorus = {kF, kG, kEm, kAm, kF, kG, kC, kC};
    const std::vector<Chord> bridge = {kAm, kF, kC, kG, kAm, kF, kC, kG};
    int bar = 0;
    auto at = [&](int b) { return b * kBar; };

    // Intro: drums, then the bass joins.
    for (int i = 0; i < 4; ++i, ++bar) {
        drumBar(song, at(bar), Groove::Intro, i == 3, false);
        if (i >= 2)
            bassBar(song, at(bar), kC, false);
    }
    // Verse, chorus, verse an octave up, bridge, last verse, outro.
    struct Section {
        const std::vector<Chord>* chords;
        const char** lead;
        Groove groove;
        bool arpeggios;
    };
    const Section sections[] = {
        {&verse, kThemeA, Groove::Full, false},    {&chorus, kThemeB, Groove::Full, false},
        {&verse, kThemeAHigh, Groove::Full, true}, {&bridge, nullptr, Groove::Half, true},
        {&chorus, kThemeB, Groove::Full, true},    {&verse, kThemeA, Groove::Full, true}};
    for (const Section& section : sections) {
        for (int i = 0; i < 8; ++i, ++bar) {
            const Chord& chord = (*section.chords)[i];
            drumBar(song, at(bar), section.groove, i == 7, i == 0);
            bassBar(song, at(bar), chord, section.groove == Groove::Full);
            chordBar(song, at(bar), chord);
            if (section.arpeggios)
                arpeggioBar(song, at(bar), chord);
            if (section.lead)
                melody(song, kLead, at(bar), section.lead[i], 92);
        }
    }
    // Outro: a short turnaround that falls back into the intro when the song loops.
    const Chord outro[] = {kF, kG, kC, kC};
    for (int i = 0; i < 4; ++i, ++bar) {
        drumBar(song, at(bar), i < 3 ? Groove::Full : Groove::Intro, false, i == 0);
        bassBar(song, at(bar), outro[i], i < 3);
        chordBar(song, at(bar), outro[i]);
    }
    melody(song, kLead, at(bar - 4), "A5:2 C6:2 F6:4", 90);
    melody(song, kLead, at(bar - 3), "G5:2 B5:2 D6:4", 90);
    melody(song, kLead, at(bar - 2), "C6:8", 96);
    return song.write(path, at(bar));
}

}  // namespace assetgen
