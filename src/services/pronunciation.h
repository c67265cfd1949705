#pragma once
// Every sound of the program: a word's pronunciation (a recording when the learner prefers them
// and one exists, else the speech voice), the spoken "ok", effect sounds, the background music
// with its timer, and our music's lowered level. Files lie under the program folder:
// sound/Music/<name>.mid, sound/effect/<name>.wav, sound/<first letter>/<word>.mp3 or .wav.

#include <QString>
#include <functional>

class QCheckBox;

// The music level found when it was lowered (packed like a MIDI device volume).
extern quint32 PSavedMidiVolume;

// The two sound settings as in force: recorded pronunciations preferred, background music on.
// Both are on until the learner switches them off.
bool PSpeechRoleWanted();
bool PBackMusicWanted();

void PSpeakWord(const QString &Word);
void PSpeakOk();
// Plays sound/effect/<Name>.wav to its end; nothing when the file is missing.
void PPlayEffect(const QString &Name);
// "play" of sound/Music/<Name>.mid when the file exists and background music is wanted.
void PPlayMusicFile(const QString &Name);
// Makes Name the current piece; the first play comes with the music timer's first tick.
void PPlayBackMusic(const QString &Name);
// Music timer off and "close all": the music and any recording still playing stop.
void PStopBackMusic();
// The background-music check boxes: stores the choice and stops or starts the music.
void PBackMusicCheckClick(QCheckBox *CheckBox);
void PLowerMidiVolume();
void PRestoreMidiVolume();

// The music timer (TimerPlayMusic of the shared window): off at start, every 9 s while on. The
// window gives its timer's switch to PSetMusicTimerSwitch and calls PMusicTimerTick on timeout.
constexpr int PMusicTimerInterval = 9000;
void PSetMusicTimerSwitch(std::function<void(bool)> onOff);
bool PMusicTimerOn();
void PMusicTimerTick();
