// A word from Speak to its samples at the mixer (the device takes them with its next buffer,
// 1024 frames: under 24 ms more), and the synthesis alone.

#include "platform/sound.h"
#include "platform/speech.h"

#include <benchmark/benchmark.h>

namespace {

const QString kWords[] = {QStringLiteral("apple"), QStringLiteral("pronunciation"), QStringLiteral("vocabulary"),
                          QStringLiteral("ok")};
const QString kEn = QStringLiteral("<LANG LANGID=\"409\">");

// Benchmarks must not fill the learner's speakers with hundreds of words.
void quietDevice()
{
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
}

void BM_SpeakWordUntilItsSamplesAreAtTheMixer(benchmark::State &state)
{
    quietDevice();
    TSpVoice voice;
    Sound::shutdown();
    Sound::available();
    int i = 0;
    for (auto _ : state) {
        voice.Speak(kEn + kWords[i++ % 4], TSpVoice::SVSFlagsAsync);
        state.PauseTiming();
        // A fresh device each round, so the queue of speech does not grow.
        Sound::shutdown();
        Sound::available();
        state.ResumeTiming();
    }
    Sound::shutdown();
}
BENCHMARK(BM_SpeakWordUntilItsSamplesAreAtTheMixer)->Unit(benchmark::kMillisecond);

void BM_RenderWordToMemory(benchmark::State &state)
{
    TSpVoice voice;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(voice.Render(kEn + kWords[i++ % 4]));
}
BENCHMARK(BM_RenderWordToMemory)->Unit(benchmark::kMillisecond);

}  // namespace
