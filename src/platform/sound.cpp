#include "platform/sound.h"

#include "platform/sharedlib.h"

#define SDL_MAIN_HANDLED
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace Sound {
namespace {

#define SOUND_CALLS(X)                                                                                         \
    X(SDL_SetHint) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_RWFromFile) X(SDL_RWFromConstMem)           \
    X(SDL_GetTicks64) X(SDL_Delay) X(Mix_SetSoundFonts) X(Mix_Init) X(Mix_OpenAudio) X(Mix_Quit)             \
    X(Mix_AllocateChannels) X(Mix_ReserveChannels) X(Mix_ChannelFinished) X(Mix_VolumeMusic) X(Mix_Playing)   \
    X(Mix_GetChunk) X(Mix_FreeChunk) X(Mix_PlayChannel) X(Mix_QuerySpec) X(Mix_PlayingMusic) X(Mix_FreeMusic) \
    X(Mix_LoadMUSType_RW) X(Mix_PlayMusic) X(Mix_LoadWAV) X(Mix_HaltChannel) X(Mix_LoadWAV_RW)              \
    X(Mix_HaltMusic) X(Mix_CloseAudio)

struct Calls {
    SOUND_CALLS(LEXORIN_SLOT)
};

// The mixer's calls once it has loaded (SDL's come with it); nullptr until then or without it.
const Calls *mixer = nullptr;

const Calls *loadMixer()
{
    static const Calls *const loaded = []() -> const Calls * {
        static Calls calls;
        void *handle = POpenSharedLib(LEXORIN_SONAME_SDL2_MIXER);
        bool ok = handle != nullptr;
        SOUND_CALLS(LEXORIN_RESOLVE)
        return ok ? &calls : nullptr;
    }();
    return loaded;
}

// Channel 0 carries speech, channel 1 effects; recordings take any of the others.
constexpr int SpeechChannel = 0;
constexpr int EffectChannel = 1;
constexpr int ChannelCount = 16;
constexpr int RequestsKept = 500;

struct Recording {
    QString path;
    Mix_Chunk *chunk;
    int channel;
};

struct State {
    bool tried = false;
    bool open = false;
    QObject *pump = nullptr;  // lives on the user-interface thread; speech advances there
    Mix_Music *music = nullptr;
    QString musicPath;
    std::vector<Recording> recordings;
    Mix_Chunk *speaking = nullptr;
    std::deque<Mix_Chunk *> speechQueue;
    quint32 volume = 0xFFFFFFFFu;
    QList<Request> requests;
};

State &state()
{
    static State s;
    return s;
}

void note(Request::Kind kind, const QString &what, bool played)
{
    QList<Request> &r = state().requests;
    r.append({kind, what, played});
    if (r.size() > RequestsKept)
        r.erase(r.begin(), r.begin() + (r.size() - RequestsKept));
}

int mixerLevel(quint32 volume)
{
    const quint32 loudest = std::max(volume & 0xFFFFu, volume >> 16);
    return int((loudest * MIX_MAX_VOLUME + 0x7FFFu) / 0xFFFFu);
}

bool isMidi(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("mid") || suffix == QLatin1String("midi");
}

// FluidSynth takes any bytes and then "plays" a damaged file as endless silence.
bool looksLikeMidi(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(4) == "MThd";
}

// A user's own SDL_SOUNDFONTS wins; else the General MIDI font Debian installs.
void chooseSoundFont()
{
    if (!qEnvironmentVariableIsEmpty("SDL_SOUNDFONTS"))
        return;
    static const char *const fonts[] = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    };
    for (const char *f : fonts) {
        if (QFileInfo(QString::fromLatin1(f)).isFile()) {
            mixer->Mix_SetSoundFonts(f);
            return;
        }
    }
}

void advanceSpeech();

// Runs on the audio thread: only hand the news over to the user-interface thread.
void channelFinished(int channel)
{
    if (channel == SpeechChannel && state().pump)
        QMetaObject::invokeMethod(state().pump, [] { advanceSpeech(); }, Qt::QueuedConnection);
}

bool ensureOpen()
{
    State &s = state();
    if (s.tried)
        return s.open;
    s.tried = true;
    mixer = loadMixer();
    if (!mixer)
        return false;
    // Ctrl+C and SIGTERM stay the program's own.
    mixer->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    chooseSoundFont();
    if (mixer->SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        return false;
    mixer->Mix_Init(MIX_INIT_MID | MIX_INIT_MP3);
    if (mixer->Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) < 0) {
        mixer->Mix_Quit();
        mixer->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    mixer->Mix_AllocateChannels(ChannelCount);
    mixer->Mix_ReserveChannels(2);
    s.pump = new QObject;
    mixer->Mix_ChannelFinished(channelFinished);
    mixer->Mix_VolumeMusic(mixerLevel(s.volume));
    s.open = true;
    static bool routineAdded = false;
    if (!routineAdded && QCoreApplication::instance()) {
        qAddPostRoutine(shutdown);
        routineAdded = true;
    }
    return true;
}

void reapRecordings()
{
    auto &recs = state().recordings;
    for (auto it = recs.begin(); it != recs.end();) {
        if (!mixer->Mix_Playing(it->channel) || mixer->Mix_GetChunk(it->channel) != it->chunk) {
            mixer->Mix_FreeChunk(it->chunk);
            it = recs.erase(it);
        } else {
            ++it;
        }
    }
}

void advanceSpeech()
{
    State &s = state();
    if (!s.open)
        return;
    if (s.speaking) {
        if (mixer->Mix_Playing(SpeechChannel) && mixer->Mix_GetChunk(SpeechChannel) == s.speaking)
            return;
        mixer->Mix_FreeChunk(s.speaking);
        s.speaking = nullptr;
    }
    while (!s.speechQueue.empty()) {
        Mix_Chunk *next = s.speechQueue.front();
        s.speechQueue.pop_front();
        if (mixer->Mix_PlayChannel(SpeechChannel, next, 0) >= 0) {
            s.speaking = next;
            return;
        }
        mixer->Mix_FreeChunk(next);
    }
}

// Mono 16-bit samples as a WAV image, so the mixer converts them to the device's format.
QByteArray wavImage(const QVector<qint16> &samples, int rate)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray out(44, '\0');
    char *h = out.data();
    auto put32 = [](char *p, quint32 v) { qToLittleEndian(v, p); };
    auto put16 = [](char *p, quint16 v) { qToLittleEndian(v, p); };
    memcpy(h, "RIFF", 4);
    put32(h + 4, 36 + dataBytes);
    memcpy(h + 8, "WAVEfmt ", 8);
    put32(h + 16, 16);
    put16(h + 20, 1);  // PCM
    put16(h + 22, 1);  // mono
    put32(h + 24, quint32(rate));
    put32(h + 28, quint32(rate) * 2);
    put16(h + 32, 2);
    put16(h + 34, 16);
    memcpy(h + 36, "data", 4);
    put32(h + 40, dataBytes);
    for (qint16 v : samples) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    }
    return out;
}

int chunkMilliseconds(const Mix_Chunk *chunk)
{
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (!mixer->Mix_QuerySpec(&freq, &format, &channels) || freq <= 0 || channels <= 0)
        return 0;
    const int bytesPerFrame = int(SDL_AUDIO_BITSIZE(format) / 8) * channels;
    return int(qint64(chunk->alen) * 1000 / (qint64(freq) * bytesPerFrame));
}

}  // namespace

void play(const QString &path)
{
    State &s = state();
    bool played = false;
    if (ensureOpen()) {
        const QByteArray file = QFile::encodeName(path);
        if (isMidi(path)) {
            if (s.music && s.musicPath == path && mixer->Mix_PlayingMusic()) {
                // still playing: leave it be
            } else {
                if (!s.music || s.musicPath != path) {
                    if (s.music)
                        mixer->Mix_FreeMusic(s.music);
                    s.music = looksLikeMidi(path)
                                  ? mixer->Mix_LoadMUSType_RW(mixer->SDL_RWFromFile(file.constData(), "rb"), MUS_MID, 1)
                                  : nullptr;
                    s.musicPath = s.music ? path : QString();
                }
                if (s.music) {
                    mixer->Mix_VolumeMusic(mixerLevel(s.volume));
                    played = mixer->Mix_PlayMusic(s.music, 0) == 0;
                }
            }
        } else {
            reapRecordings();
            const bool busy = std::any_of(s.recordings.begin(), s.recordings.end(),
                                          [&](const Recording &r) { return r.path == path; });
            if (!busy) {
                if (Mix_Chunk *chunk = mixer->Mix_LoadWAV(file.constData())) {
                    const int channel = mixer->Mix_PlayChannel(-1, chunk, 0);
                    if (channel >= 0) {
                        s.recordings.push_back({path, chunk, channel});
                        played = true;
                    } else {
                        mixer->Mix_FreeChunk(chunk);
                    }
                }
            }
        }
    }
    note(Request::Play, path, played);
}

void closeAll()
{
    State &s = state();
    note(Request::CloseAll, QString(), true);
    if (!s.open)
        return;
    if (s.music) {
        mixer->Mix_FreeMusic(s.music);  // halts it first
        s.music = nullptr;
        s.musicPath.clear();
    }
    for (const Recording &r : s.recordings) {
        mixer->Mix_HaltChannel(r.channel);
        mixer->Mix_FreeChunk(r.chunk);
    }
    s.recordings.clear();
}

void playSync(const QString &path)
{
    bool played = false;
    if (ensureOpen()) {
        if (Mix_Chunk *chunk = mixer->Mix_LoadWAV(QFile::encodeName(path).constData())) {
            if (mixer->Mix_PlayChannel(EffectChannel, chunk, 0) >= 0) {
                played = true;
                // A stalled device must not hang the program: give up a second after the end.
                const Uint64 deadline = mixer->SDL_GetTicks64() + Uint64(chunkMilliseconds(chunk)) + 1000;
                while (mixer->Mix_Playing(EffectChannel) && mixer->SDL_GetTicks64() < deadline)
                    mixer->SDL_Delay(2);
                mixer->Mix_HaltChannel(EffectChannel);
            }
            mixer->Mix_FreeChunk(chunk);
        }
    }
    note(Request::PlaySync, path, played);
}

void playSpeech(const QVector<qint16> &samples, int rate, const QString &text)
{
    State &s = state();
    bool played = false;
    if (!samples.isEmpty() && rate > 0 && ensureOpen()) {
        const QByteArray wav = wavImage(samples, rate);
        if (Mix_Chunk *chunk = mixer->Mix_LoadWAV_RW(mixer->SDL_RWFromConstMem(wav.constData(), int(wav.size())), 1)) {
            s.speechQueue.push_back(chunk);
            advanceSpeech();
            played = true;
        }
    }
    note(Request::Speech, text, played);
}

quint32 musicVolume() { return state().volume; }

void setMusicVolume(quint32 volume)
{
    State &s = state();
    s.volume = volume;
    if (s.open)
        mixer->Mix_VolumeMusic(mixerLevel(volume));
}

bool isPlaying(const QString &path)
{
    State &s = state();
    if (!s.open)
        return false;
    if (s.music && s.musicPath == path)
        return mixer->Mix_PlayingMusic() != 0;
    reapRecordings();
    return std::any_of(s.recordings.begin(), s.recordings.end(),
                       [&](const Recording &r) { return r.path == path; });
}

bool isSpeaking()
{
    State &s = state();
    if (!s.open)
        return false;
    advanceSpeech();
    return s.speaking != nullptr || !s.speechQueue.empty();
}

bool available() { return ensureOpen(); }

int appliedMusicLevel() { return state().open ? mixer->Mix_VolumeMusic(-1) : -1; }

QList<Request> requests() { return state().requests; }

void clearRequests() { state().requests.clear(); }

namespace {
// Halts and frees every sound; the device stays as it is.
void haltEverything()
{
    State &s = state();
    mixer->Mix_ChannelFinished(nullptr);
    mixer->Mix_HaltChannel(-1);
    mixer->Mix_HaltMusic();
    for (const Recording &r : s.recordings)
        mixer->Mix_FreeChunk(r.chunk);
    s.recordings.clear();
    for (Mix_Chunk *c : s.speechQueue)
        mixer->Mix_FreeChunk(c);
    s.speechQueue.clear();
    if (s.speaking)
        mixer->Mix_FreeChunk(s.speaking);
    s.speaking = nullptr;
    if (s.music)
        mixer->Mix_FreeMusic(s.music);
    s.music = nullptr;
    s.musicPath.clear();
}
}  // namespace

void stopAll()
{
    if (!state().open)
        return;
    haltEverything();
    mixer->Mix_ChannelFinished(channelFinished);
}

void shutdown()
{
    State &s = state();
    if (s.open) {
        haltEverything();
        mixer->Mix_CloseAudio();
        mixer->Mix_Quit();
        mixer->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        delete s.pump;
        s.pump = nullptr;
    }
    s.open = false;
    s.tried = false;
}

}  // namespace Sound
