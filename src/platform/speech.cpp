#include "platform/speech.h"

#include "platform/sharedlib.h"
#include "platform/sound.h"

#include <espeak-ng/speak_lib.h>

#include <QRegularExpression>

#include <algorithm>

namespace {

int collectSamples(short *wav, int count, espeak_EVENT *events)
{
    auto *out = events ? static_cast<QVector<qint16> *>(events->user_data) : nullptr;
    if (out && wav && count > 0) {
        const qsizetype at = out->size();
        out->resize(at + count);
        std::copy(wav, wav + count, out->begin() + at);
    }
    return 0;
}

#define SPEECH_CALLS(X) \
    X(espeak_Initialize) X(espeak_SetVoiceByName) X(espeak_Terminate) X(espeak_SetSynthCallback) X(espeak_Synth)

// espeak-ng keeps global state: load and initialise it once, on first use, and end it with the process.
struct Engine {
    struct {
        SPEECH_CALLS(LEXORIN_SLOT)
    } calls;
    int rate = 0;

    Engine()
    {
        void *handle = POpenSharedLib(LEXORIN_SONAME_ESPEAK_NG);
        bool ok = handle != nullptr;
        SPEECH_CALLS(LEXORIN_RESOLVE)
        if (!ok)
            return;
        // Without DONT_EXIT the library ends the process when its data is missing.
        const int r = calls.espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 100, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (r <= 0)
            return;
        if (calls.espeak_SetVoiceByName("en-us") != EE_OK && calls.espeak_SetVoiceByName("en") != EE_OK) {
            calls.espeak_Terminate();
            return;
        }
        calls.espeak_SetSynthCallback(collectSamples);
        rate = r;
    }
    ~Engine()
    {
        if (rate > 0)
            calls.espeak_Terminate();
    }
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;
};

Engine &engine()
{
    static Engine e;
    return e;
}

}  // namespace

// The engine starts with the first word spoken: loading its voices would cost every start of the program.
TSpVoice::TSpVoice() = default;

QString TSpVoice::PlainText(const QString &text)
{
    static const QRegularExpression open(QStringLiteral("^\\s*<LANG\\s+LANGID\\s*=\\s*\"?[0-9A-Fa-f]*\"?\\s*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression close(QStringLiteral("</LANG>\\s*$"), QRegularExpression::CaseInsensitiveOption);
    QString plain = text;
    const QRegularExpressionMatch m = open.match(plain);
    if (m.hasMatch()) {
        plain.remove(0, m.capturedLength());
        plain.remove(close);
    }
    return plain;
}

QVector<qint16> TSpVoice::Render(const QString &text)
{
    QVector<qint16> samples;
    if (engine().rate <= 0)
        return samples;
    const QByteArray utf8 = PlainText(text).toUtf8();
    if (utf8.trimmed().isEmpty())
        return samples;
    engine().calls.espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 &samples);
    return samples;
}

void TSpVoice::Speak(const QString &text, int)
{
    // A word renders in a millisecond or two, so it is made here and only the playing is left
    // to the sound layer's own thread.
    Sound::playSpeech(Render(text), SampleRate(), PlainText(text));
}

int TSpVoice::SampleRate() const { return engine().rate; }

bool TSpVoice::Available() const { return engine().rate > 0; }
