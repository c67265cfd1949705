#include "core/currentlist.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "support/bankfixture.h"
#include "support/banksnapshot.h"

#include <QTreeWidget>
#include <string>

namespace {
const QString L1 = QStringLiteral("L1");
}

// Rows as "<ID><word>" in stored and view order, and the rows de-duplication must leave.
struct TwinCase {
    const char *rows;
    const char *kept;
};
void PrintTo(const TwinCase &c, std::ostream *os) { PrintCase(os, c.rows); }

class CaseTwins : public BankFixture, public ::testing::WithParamInterface<TwinCase> {};

TEST_P(CaseTwins, DeduplicationKeepsEverySpellingOnce)
{
    dm->PCreateNewWordTable(QStringLiteral("WordTable"), L1, QStringLiteral("addname"));
    QTreeWidget lv;
    for (const QString &r : QString::fromLatin1(GetParam().rows).split(QLatin1Char(' '))) {
        raw(QStringLiteral("insert into L1(ID,单词,解释) values(%1,'%2','x')").arg(r.left(1), r.mid(1)));
        PAddItem(&lv, r.left(1), {r.mid(1), QStringLiteral("x")});
    }
    PRemoveDuplicates(&lv, L1);
    const QStringList ids = column(L1, QStringLiteral("ID"));
    const QStringList words = column(L1, QStringLiteral("单词"));
    QStringList rows;
    for (int i = 0; i < ids.size(); ++i)
        rows << ids[i] + words[i];
    EXPECT_EQ(rows.join(QLatin1Char(' ')), QString::fromLatin1(GetParam().kept));
}

// Deleting goes by ID and word, which the bank matches without regard to case.
INSTANTIATE_TEST_SUITE_P(SharedIds, CaseTwins,
                         ::testing::Values(TwinCase{"2go 1Go 1go", "2go 1Go"}, TwinCase{"1go 2Go 1Go", "1go 2Go"},
                                           TwinCase{"1go 2go 1Go", "1go 1Go"}, TwinCase{"1Go 2go 1Go", "1Go 2go"},
                                           TwinCase{"1go 1go 2go 1go", "1go"}, TwinCase{"1go 1Go 1go", "1go 1Go"},
                                           TwinCase{"1Go 1go 1go 1Go", "1Go 1go"}),
                         [](const auto &info) { return "case" + std::to_string(info.index); });

using OrphanRegistration = BankFixture;

// An old bank may register a list whose table is gone; a new list under that name would be
// registered twice.
TEST_F(OrphanRegistration, StillTakesTheNameForNewAndRenamedLists)
{
    PEnsureUserRow();
    dm->PCreateNewWordTable(QStringLiteral("WordTable"), L1, QStringLiteral("addname"));
    raw(QStringLiteral("insert into TableNameTable(表名) values('Ghost')"));
    EXPECT_FALSE(PIsNewTableNameFree(QStringLiteral("ghost")));
    EXPECT_TRUE(PIsNewTableNameFree(QStringLiteral("Ghost2")));
    const QStringList bank = bankSnapshot(dm->PConnection.handle());

    dialogs->answerInput(QStringLiteral("Ghost"));
    PNewWordTable();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("已有同名的单词表（不分大小写）"));

    QTreeWidget lv;
    for (const QString &row : {L1, QStringLiteral("WordTable"), QString(), QStringLiteral("合计")})
        PAddItem(&lv, row);
    PItemAt(&lv, 0)->setSelected(true);
    dialogs->answerInput(QStringLiteral("GHOST"));
    PRenameWordTables(&lv);
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("已有同名的单词表（不分大小写）"));
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), bank);
}
