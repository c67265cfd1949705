#pragma once
// The speech voice: English speech synthesised to memory by espeak-ng and played through the
// sound layer. The speech engine is one per process; every voice shares it.

#include <QString>
#include <QVector>

class TSpVoice {
public:
    enum SpeechVoiceSpeakFlags { SVSFDefault = 0, SVSFlagsAsync = 1 };

    // Never fails: without the engine's data the voice is silent.
    TSpVoice();

    // Speaks text and returns at once; the speech follows whatever the voice is still saying.
    // A leading <LANG LANGID="409"> asks for the English voice and is not spoken. The program
    // only ever speaks asynchronously, so the flags ask for nothing else.
    void Speak(const QString &text, int flags);

    // The samples of text (mono, 16-bit, at SampleRate()); empty without the engine.
    QVector<qint16> Render(const QString &text);
    int SampleRate() const;
    bool Available() const;

    // The text without its leading language tag (and a closing one).
    static QString PlainText(const QString &text);
};
