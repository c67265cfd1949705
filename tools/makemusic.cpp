// Writes the three background pieces of the program folder as General MIDI files: a tune over a
// chord progression, an accompaniment and a bass line, each eight bars played twice.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int Ticks = 480;  // per quarter note
constexpr int Eighth = Ticks / 2;
constexpr int Bar = Ticks * 4;

struct Event {
    int tick;
    int order;  // at one tick: note-offs before controller changes before note-ons
    std::vector<uint8_t> bytes;
};

struct Track {
    std::vector<Event> events;

    void add(int tick, int order, std::vector<uint8_t> bytes) { events.push_back({tick, order, std::move(bytes)}); }
    void note(int channel, int tick, int length, int pitch, int velocity)
    {
        add(tick, 2, {uint8_t(0x90 | channel), uint8_t(pitch), uint8_t(velocity)});
        add(tick + length, 0, {uint8_t(0x80 | channel), uint8_t(pitch), 0});
    }
    void setup(int channel, int program, int volume, int reverb)
    {
        add(0, 1, {uint8_t(0xC0 | channel), uint8_t(program)});
        add(0, 1, {uint8_t(0xB0 | channel), 7, uint8_t(volume)});
        add(0, 1, {uint8_t(0xB0 | channel), 91, uint8_t(reverb)});
    }
};

void putVarLen(std::string &out, uint32_t v)
{
    uint8_t buf[4];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7)
        buf[n++] = uint8_t((v & 0x7F) | 0x80);
    while (n)
        out.push_back(char(buf[--n]));
}

void put32(std::string &out, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(char((v >> s) & 0xFF));
}

std::string trackChunk(Track t, int endTick)
{
    std::stable_sort(t.events.begin(), t.events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    int last = 0;
    for (const Event &e : t.events) {
        putVarLen(body, uint32_t(e.tick - last));
        last = e.tick;
        body.append(e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, uint32_t(std::max(0, endTick - last)));
    body.append("\xFF\x2F\x00", 3);
    std::string chunk = "MTrk";
    put32(chunk, uint32_t(body.size()));
    return chunk + body;
}

int pitchOf(const std::string &name)
{
    static const std::map<char, int> steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    size_t i = 0;
    int p = steps.at(name[i++]);
    if (name[i] == '#') {
        ++p;
        ++i;
    } else if (name[i] == 'b') {
        --p;
        ++i;
    }
    return p + 12 * (std::stoi(name.substr(i)) + 1);
}

// A chord: its root pitch class name and whether it is minor ("Am", "Bb", "E").
std::vector<int> triad(const std::string &chord, int octave)
{
    const bool minor = chord.size() > 1 && chord.back() == 'm';
    const int root = pitchOf(chord.substr(0, minor ? chord.size() - 1 : chord.size()) + std::to_string(octave));
    return {root, root + (minor ? 3 : 4), root + 7};
}

struct Piece {
    const char *name;
    int bpm;
    int melodyProgram, chordProgram, bassProgram;
    bool arpeggio;  // broken chords in eighths; else held chords
    std::vector<std::string> chords;  // one a bar
    const char *melody;               // "E5:2 G5:2 r:2 ...", lengths in eighths
};

std::string compose(const Piece &p)
{
    Track meta, melody, chords, bass;
    const uint32_t usPerQuarter = uint32_t(60000000 / p.bpm);
    meta.add(0, 1, {0xFF, 0x51, 0x03, uint8_t(usPerQuarter >> 16), uint8_t(usPerQuarter >> 8), uint8_t(usPerQuarter)});
    meta.add(0, 1, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
    melody.setup(0, p.melodyProgram, 100, 50);
    chords.setup(1, p.chordProgram, 72, 60);
    bass.setup(2, p.bassProgram, 90, 30);

    const int passes = 2;
    const int pieceLength = int(p.chords.size()) * Bar;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = pass * pieceLength;
        std::istringstream in(p.melody);
        std::string token;
        int tick = start;
        while (in >> token) {
            const size_t colon = token.find(':');
            const int length = std::stoi(token.substr(colon + 1)) * Eighth;
            const std::string pitch = token.substr(0, colon);
            if (pitch != "r")
                melody.note(0, tick, length - 20, pitchOf(pitch), pass == 0 ? 88 : 96);
            tick += length;
        }
        for (size_t bar = 0; bar < p.chords.size(); ++bar) {
            const int t = start + int(bar) * Bar;
            const std::vector<int> low = triad(p.chords[bar], 3);
            if (p.arpeggio) {
                const int pattern[8] = {low[0], low[2], low[1] + 12, low[2], low[0] + 12, low[2], low[1] + 12, low[2]};
                for (int i = 0; i < 8; ++i)
                    chords.note(1, t + i * Eighth, Eighth * 2, pattern[i], i % 2 ? 48 : 58);
            } else {
                for (int n : low)
                    chords.note(1, t, Bar - 30, n + 12, 52);
            }
            const int root = low[0] - 12;
            bass.note(2, t, Ticks * 2 - 30, root, 76);
            bass.note(2, t + Ticks * 2, Ticks * 2 - 30, bar % 2 ? root + 7 : root, 68);
        }
    }
    const int end = passes * pieceLength + Ticks * 2;  // let the last notes ring
    std::string file = "MThd";
    put32(file, 6);
    file += std::string("\x00\x01\x00\x04", 4);  // format 1, four tracks
    file.push_back(char(Ticks >> 8));
    file.push_back(char(Ticks & 0xFF));
    for (const Track *t : {&meta, &melody, &chords, &bass})
        file += trackChunk(*t, end);
    return file;
}

const Piece pieces[] = {
    {"welcome", 100, 11 /* vibraphone */, 0 /* piano */, 32 /* acoustic bass */, true,
     {"C", "G", "Am", "F", "C", "G", "F", "C"},
     "E5:2 G5:2 C6:3 B5:1  D6:2 B5:2 G5:4  A5:2 C6:2 E6:3 D6:1  C6:2 A5:2 F5:4 "
     "E5:2 G5:2 C6:2 E6:2  D6:3 C6:1 B5:2 G5:2  A5:2 F5:2 A5:2 C6:2  C6:6 r:2"},
    {"study", 76, 73 /* flute */, 48 /* strings */, 32, false,
     {"F", "Dm", "Bb", "C", "F", "Am", "Bb", "C"},
     "A4:4 C5:4  D5:4 F5:2 E5:2  D5:4 Bb4:4  C5:6 r:2 "
     "F5:4 E5:2 D5:2  C5:4 E5:4  D5:2 C5:2 Bb4:2 G4:2  E4:2 G4:2 C5:4"},
    {"test", 112, 12 /* marimba */, 46 /* harp */, 45 /* pizzicato strings */, true,
     {"Am", "F", "C", "G", "Am", "F", "G", "E"},
     "A4:1 C5:1 E5:1 A5:1 G5:2 E5:2  F5:1 E5:1 D5:1 C5:1 A4:4  G4:1 C5:1 E5:1 G5:1 F5:2 E5:2  D5:2 B4:2 G4:4 "
     "A4:1 C5:1 E5:1 A5:1 B5:2 C6:2  A5:2 F5:2 C5:4  B4:2 D5:2 G5:2 F5:2  E5:2 G#5:2 B5:2 r:2"},
};

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makemusic <folder>\n");
        return 2;
    }
    for (const Piece &p : pieces) {
        const std::string path = std::string(argv[1]) + "/" + p.name + ".mid";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << compose(p);
        if (!out.flush()) {
            std::fprintf(stderr, "makemusic: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
