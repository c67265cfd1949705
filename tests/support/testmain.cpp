#include "platform/formbase.h"
#include "shell/startup.h"
#include "support/nosyncdisk.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every test starts with the table wired, whatever the one before it did (shutting the program
// down empties it).
class WireHandOversEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override { PWireHandOvers(); }
};

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    // No test reaches the internet: web requests go to a closed loopback port unless a test
    // starts its own server (which points the proxy at itself for its lifetime).
    for (const char *var : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qputenv(var, "http://127.0.0.1:9");
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
    PSkipDiskSyncs();
    // Scratch folders in memory where the machine has it: the run makes and deletes thousands of
    // small files. An explicit TMPDIR wins.
    std::unique_ptr<QTemporaryDir> scratch;
    if (qEnvironmentVariableIsEmpty("TMPDIR") && QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
        scratch = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/lexorin-tests-XXXXXX"));
        if (scratch->isValid())
            qputenv("TMPDIR", QFile::encodeName(scratch->path()));
    }
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Windows reach each other as in the program: through the table, to whichever windows a test made.
    ::testing::UnitTest::GetInstance()->listeners().Append(new WireHandOversEachTest);
    return RUN_ALL_TESTS();
}
