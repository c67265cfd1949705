#pragma once
// The sound layer, over SDL2_mixer: "play" of a music or sound file (asynchronous, several at
// once), "close all", effects that return only when they have been heard, spoken samples played
// one after another, and the level of our own music. MIDI goes through FluidSynth with a General
// MIDI sound font. Without a sound device, a sound font or a readable file it stays silent.

#include <QList>
#include <QString>
#include <QVector>

namespace Sound {

// "play": starts path and returns at once. MIDI files play as the one music piece (a new piece
// replaces the old), every other file (WAV, MP3) alongside it. A file still playing goes on
// undisturbed; a file that has finished starts again.
void play(const QString &path);
// "close all": stops and closes everything play opened. Speech and effects are not touched.
void closeAll();
// Plays an effect to its end before returning: the window waits, so the effect is heard whole
// before what follows it (a new board, the next question) appears.
void playSync(const QString &path);
// Queues spoken samples (mono, 16-bit, at rate): they play after the speech queued before.
// text says what was spoken (for the record).
void playSpeech(const QVector<qint16> &samples, int rate, const QString &text);

// Our own music's level, packed like a MIDI device volume: left in the low word, right in the
// high word, 0 to 0xFFFF each. Only our music changes; the machine's mixer is never touched.
quint32 musicVolume();
void setMusicVolume(quint32 volume);

bool isPlaying(const QString &path);
bool isSpeaking();
// True when a sound device is open (the first call tries to open one).
bool available();
// The music level the mixer applies now (0 to 128), -1 without a device.
int appliedMusicLevel();

// What the layer was asked to do, oldest first (the last few hundred requests are kept).
struct Request {
    enum Kind { Play, PlaySync, CloseAll, Speech };
    Kind kind;
    QString what;  // the file, or the spoken text
    bool played;   // it plays (or is queued to): false when it was already playing, or without
                   // a device, or when the file could not be read
};
QList<Request> requests();
void clearRequests();

// Stops every sound, speech and effects included, and keeps the device open.
void stopAll();
// Stops every sound and closes the device (also done when the application ends).
void shutdown();

}  // namespace Sound
