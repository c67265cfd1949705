// The program's first window against a minimal Qt window, each a whole process of its own: the
// program side starts Lexorin on a bank and paints its first window; the floor is a Qt program
// that links Qt Widgets alone and paints one window with a label. Both on the same platform
// plugin, and each process fails unless its window was painted. CPU time of each process
// (a busy machine stretches wall time at random), sides in turn.

#include "pairclock.h"
#include "support/bankfixture.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

long long shows(const QString &Program, const QStringList &Args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    // Offline: the start-up fetches meet a closed loopback port and fail at once.
    env.insert(QStringLiteral("http_proxy"), QStringLiteral("http://127.0.0.1:9"));
    p.setProcessEnvironment(env);
    p.start(Program, Args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? 1 : 0;
}

void BM_Pair_FirstWindowOverMinimalQtWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    BankFixture::makeBank(dir.path() + QStringLiteral("/EnglishWord.lxb"));
    QFile::copy(QStringLiteral(LEXORIN_PROGRAM_DIR "/ksphonet.ttf"), dir.path() + QStringLiteral("/ksphonet.ttf"));
    TPPairClock pair(state, TPPairClock::ChildrenCpu);
    state.counters["goal"] = 2.5;
    for (auto _ : state)
        if (!pair.run([&] { return shows(QStringLiteral(LEXORIN_FIRSTWINDOW), {dir.path()}); },
                      [] { return shows(QStringLiteral(LEXORIN_MINIMALWINDOW), {}); }))
            break;
}
BENCHMARK(BM_Pair_FirstWindowOverMinimalQtWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
