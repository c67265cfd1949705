#include "core/currentlist.h"
#include "core/listviews.h"
#include "core/studylog.h"
#include "core/wordlistops.h"
#include "support/bankfixture.h"
#include "support/banksnapshot.h"

#include <QTreeWidget>
#include <cctype>
#include <string>

namespace {
const QString W = QStringLiteral("WordTable");
const QString L1 = QStringLiteral("L1");
const QString K = QStringLiteral("单词");
const QString Day = QStringLiteral("2026-12-7");
}  // namespace

// A bank with something in every table the writes touch: W holds apple, pear, plum; L1 (current)
// holds each of them twice under one ID plus a second apple; the day has a log row.
class WriteFixture : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        dm->PCreateNewWordTable(W, L1, QStringLiteral("addname"));
        for (const char *w : {"apple", "pear", "plum"})
            addWord(W, QString::fromLatin1(w));
        dm->PMoveAll(W, L1);
        dm->PMoveAll(W, L1);
        addWord(L1, QStringLiteral("apple"));
        addWord(QStringLiteral("TempTable"), QStringLiteral("group"));
        PAddStudyLog(Day, 5, 2, 30, 0);
        PSetCurrentTable(L1);
        lv.setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    QTreeWidget lv;
};

struct Refusal {
    const char *write;
    const char *op;
    const char *table;
    const char *when;  // fails late where it can, after earlier statements of the write succeeded
};

void PrintTo(const Refusal &r, std::ostream *os) { *os << r.write << " / " << r.op << " " << r.table; }

class WriteAllOrNothing : public WriteFixture, public ::testing::WithParamInterface<Refusal> {
protected:
    // Fills the view the write works on and runs it; a failure is an engine error or the write's message.
    void prepare(const QString &write)
    {
        if (write == QLatin1String("move ticked")) {
            PRefreshListView(&lv, W, K, 0, QStringLiteral("DirectCheckForm"));
            for (int i = 0; i < PItemCount(&lv); ++i)
                PItemAt(&lv, i)->setCheckState(0, Qt::Checked);
        } else if (write.startsWith(QLatin1String("move")) || write.endsWith(QLatin1String("selected"))) {
            PRefreshListView(&lv, W, K, 0, QStringLiteral("mainformDBT"));
            lv.selectAll();
        } else if (write == QLatin1String("de-duplicate")) {
            PRefreshListView(&lv, L1, K, 0, QStringLiteral("mainformDBT"));
        } else if (write.endsWith(QLatin1String("a list"))) {
            for (const QString &row : {L1, W, QString(), QStringLiteral("合计")})
                PAddItem(&lv, row);
            PItemAt(&lv, 0)->setSelected(true);
            dialogs->answer(Dialogs::Yes);
            dialogs->answerInput(QStringLiteral("Renamed"));
        } else if (write == QLatin1String("ensure the learner row")) {
            raw(QStringLiteral("delete from UserTable"));
        }
    }
    void run(const QString &write)
    {
        if (write == QLatin1String("move selected"))
            PMoveWords(&lv, W, L1, QStringLiteral("select"));
        else if (write == QLatin1String("move ticked"))
            PMoveWords(&lv, W, L1, QStringLiteral("check"));
        else if (write == QLatin1String("delete selected"))
            PDeleteSelectedWords(&lv, W);
        else if (write == QLatin1String("update selected"))
            PUpdateSelectedField(&lv, W, QStringLiteral("所属类别"), QStringLiteral("水果"), 5);
        else if (write == QLatin1String("de-duplicate"))
            PLoadAndDedupTable(&lv, L1, K);
        else if (write == QLatin1String("shuffle"))
            PShuffleTable(&lv);
        else if (write == QLatin1String("create a list"))
            PNewWordTable();
        else if (write == QLatin1String("rename a list"))
            PRenameWordTables(&lv);
        else if (write == QLatin1String("drop a list"))
            PDropWordTables(&lv);
        else if (write == QLatin1String("ensure the learner row"))
            PEnsureUserRow();
        else if (write == QLatin1String("add to the study log"))
            PAddStudyLog(Day, 1, 1, 10, 0);
        else
            FAIL() << "no such write: " << write.toStdString();
    }
};

TEST_P(WriteAllOrNothing, AFailingStatementLeavesBankAndViewAsTheyWere)
{
    const Refusal r = GetParam();
    const QString write = QString::fromUtf8(r.write);
    prepare(write);
    refuse(QString::fromLatin1(r.op), QString::fromLatin1(r.table), QString::fromUtf8(r.when));
    const QStringList bank = bankSnapshot(dm->PConnection.handle());
    const QStringList view = viewSnapshot(&lv);
    const QString current = PCurrentTable;

    bool threw = false;
    try {
        run(write);
    } catch (const EngineError &) {
        threw = true;
    }
    const QString failure = write == QLatin1String("shuffle")         ? QStringLiteral("乱序失败")
                            : write == QLatin1String("create a list") ? QStringLiteral("新建失败")
                                                                      : QString();
    if (failure.isEmpty())
        EXPECT_TRUE(threw) << "the refusal never fired";
    else
        EXPECT_EQ(dialogs->lastText(), failure);
    EXPECT_EQ(dm->PConnection.transactionDepth(), 0);
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), bank);
    EXPECT_EQ(PCurrentTable, current);
    // The shuffle's view is its own scratch.
    if (write != QLatin1String("shuffle")) {
        EXPECT_EQ(viewSnapshot(&lv), view);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryStatement, WriteAllOrNothing,
    ::testing::Values(
        Refusal{"move selected", "insert", "L1", "NEW.单词='apple'"},
        Refusal{"move selected", "delete", "WordTable", "OLD.单词='apple'"},
        Refusal{"move ticked", "insert", "L1", "NEW.单词='apple'"},
        Refusal{"move ticked", "delete", "WordTable", "OLD.单词='apple'"},
        Refusal{"delete selected", "delete", "WordTable", "OLD.单词='apple'"},
        Refusal{"update selected", "update", "WordTable", "OLD.单词='apple'"},
        // Twins sharing an ID go one way, a copy under its own ID the other.
        Refusal{"de-duplicate", "delete", "L1", "OLD.单词='plum'"},
        Refusal{"de-duplicate", "delete", "L1", "OLD.ID=(select max(ID) from L1)"},
        Refusal{"shuffle", "delete", "TempTable", "1"},
        Refusal{"shuffle", "insert", "TempTable", "1"},
        Refusal{"shuffle", "delete", "L1", "1"},
        Refusal{"shuffle", "insert", "L1", "(select count(*) from L1) >= 3"},
        Refusal{"create a list", "insert", "TableNameTable", "1"},
        Refusal{"create a list", "insert", "lxb_counters", "1"},
        Refusal{"rename a list", "delete", "TableNameTable", "1"},
        Refusal{"rename a list", "insert", "lxb_counters", "1"},
        Refusal{"rename a list", "delete", "lxb_counters", "1"},
        Refusal{"rename a list", "update", "UserTable", "1"},
        Refusal{"rename a list", "insert", "TableNameTable", "1"},
        Refusal{"drop a list", "delete", "TableNameTable", "1"},
        Refusal{"drop a list", "delete", "lxb_counters", "1"},
        Refusal{"drop a list", "update", "UserTable", "1"},
        Refusal{"ensure the learner row", "insert", "UserTable", "1"},
        Refusal{"ensure the learner row", "update", "UserTable", "NEW.掌握单词数 IS NOT NULL"},
        Refusal{"ensure the learner row", "update", "UserTable", "NEW.当前单词表='WordTable'"},
        Refusal{"add to the study log", "delete", "LogTable", "1"},
        Refusal{"add to the study log", "insert", "LogTable", "1"},
        Refusal{"add to the study log", "update", "LogTable", "NEW.掌握单词数 IS NOT OLD.掌握单词数"}),
    [](const ::testing::TestParamInfo<Refusal> &info) {
        std::string name = std::to_string(info.index) + "_" + info.param.write + "_" + info.param.op;
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });
