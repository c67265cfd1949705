#include "support/bankfixture.h"

#include "platform/filestat.h"

#include <QFile>
#include <unistd.h>

namespace {
const QString W = QStringLiteral("WordTable");
}  // namespace

// A path that leads to the open bank or to a file the engine keeps beside it, however it is spelt,
// is the engine's; a copy of one of them or a link to another file is not.
struct Reach {
    const char *name;
    const char *suffix;  // of the file reached: "" for the bank, "-wal", "-shm", "-journal"
    const char *how;     // "name", "dotted", "symlink", "chain", "hardlink", "copy"
    bool engines;
};

void PrintTo(const Reach &r, std::ostream *os) { *os << r.name; }

class EngineFiles : public BankFixture, public ::testing::WithParamInterface<Reach> {
protected:
    // The path the case chooses, made in the program folder.
    QString chosen(const QString &target)
    {
        const QString how = QString::fromLatin1(GetParam().how);
        const QString path = programDir + QStringLiteral("chosen.txt");
        if (how == QLatin1String("name"))
            return target;
        if (how == QLatin1String("dotted"))
            return programDir + QStringLiteral("./") + QFileInfo(target).fileName();
        if (how == QLatin1String("symlink"))
            EXPECT_TRUE(QFile::link(target, path));
        else if (how == QLatin1String("chain"))
            EXPECT_TRUE(QFile::link(target, path + QStringLiteral(".1")) &&
                        QFile::link(path + QStringLiteral(".1"), path));
        else if (how == QLatin1String("hardlink"))
            EXPECT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
        else
            EXPECT_TRUE(QFile::copy(target, path));
        return path;
    }
};

TEST_P(EngineFiles, AreKnownUnderEveryNameTheyHave)
{
    addWord(W, QStringLiteral("apple"));
    // The journal exists only while the engine writes without its log: a file of that name stands in.
    QFile journal(bankPath + QStringLiteral("-journal"));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.close();
    const QString target = bankPath + QString::fromLatin1(GetParam().suffix);
    ASSERT_TRUE(QFile::exists(target)) << target.toStdString();
    const QString path = chosen(target);
    EXPECT_EQ(PIsEngineFileOf(path, bankPath), GetParam().engines);
    // The bank known by a link's name: the engine names its files after the file the link leads to.
    const QString bankLink = dir.path() + QStringLiteral("/by-link.lxb");
    ASSERT_TRUE(QFile::link(bankPath, bankLink));
    EXPECT_EQ(PIsEngineFileOf(path, bankLink), GetParam().engines);
    EXPECT_FALSE(PIsEngineFileOf(path, QString()));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EngineFiles,
    ::testing::Values(Reach{"BankByName", "", "name", true}, Reach{"BankBySymlink", "", "symlink", true},
                      Reach{"BankByHardLink", "", "hardlink", true}, Reach{"BankCopy", "", "copy", false},
                      Reach{"LogByName", "-wal", "name", true}, Reach{"LogByDottedPath", "-wal", "dotted", true},
                      Reach{"LogBySymlink", "-wal", "symlink", true}, Reach{"LogByChainOfLinks", "-wal", "chain", true},
                      Reach{"LogCopy", "-wal", "copy", false}, Reach{"LogIndexBySymlink", "-shm", "symlink", true},
                      Reach{"LogIndexByHardLink", "-shm", "hardlink", true},
                      Reach{"JournalBySymlink", "-journal", "symlink", true},
                      Reach{"JournalCopy", "-journal", "copy", false}),
    [](const ::testing::TestParamInfo<Reach> &i) { return std::string(i.param.name); });

TEST(EngineFilesOfNoBank, AMissingPathIsNoEngineFile)
{
    QTemporaryDir dir;
    const QString bank = dir.filePath(QStringLiteral("EnglishWord.lxb"));
    BankFixture::makeBank(bank);
    EXPECT_FALSE(PIsEngineFileOf(bank + QStringLiteral("-wal"), bank));  // no log while nobody writes
    EXPECT_FALSE(PIsEngineFileOf(dir.filePath(QStringLiteral("missing.lxb")), bank));
    EXPECT_TRUE(PIsEngineFileOf(bank, bank));
}
