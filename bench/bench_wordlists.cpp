// The word-list windows against the raw queries they need: the manager's statistics over 50 lists
// of 2,000 words and the spelling filter's search over 200,000 words in ten lists, each paired
// with the most careful raw SQLite for the same figures.

#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordrecords.h"
#include "support/scripteddialogs.h"
#include "wordlists/manageformtb.h"
#include "wordlists/samesubstrwordform.h"
#include "pairclock.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

// A bank of `lists` registered lists, each a copy of a `words`-word list, and WordTable itself.
struct ListsBank {
    QTemporaryDir dir;
    std::unique_ptr<TPdatamodule> dm;
    TPdatamodule *previous = Pdatamodule;
    QStringList names;

    ListsBank(int lists, int words, bool keepWordTable)
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
        ScriptedDialogs quiet;
        dm = std::make_unique<TPdatamodule>(dir.path(), QStringList{path});
        Pdatamodule = dm.get();
        dm->P_Create_WordTable();
        dm->P_Create_TableNameTable();
        {
            JetTransaction t(dm->PConnection);
            quint32 seed = 12345;
            const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
            for (int i = 0; i < words; ++i) {
                QString w;
                const int n = 5 + int((next() >> 16) % 6);
                for (int k = 0; k < n; ++k)
                    w += QChar('a' + int((next() >> 16) % 26));
                w += QString::number(i);  // every spelling once
                PInsertWordRecord(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("音标"),
                                  QStringLiteral("解释"), QStringLiteral("联想"), QStringLiteral("详解"),
                                  QStringLiteral("例句"), QStringLiteral("所属类别"), w, QString(),
                                  QStringLiteral("释义") + QString::number(i), QString(), QString(), QString(),
                                  QString());
                PUpdateWordRecord3(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("经验点数"),
                                   QStringLiteral("掌握类型"), QStringLiteral("最近测试时间"), w,
                                   QString::number(i % 23), i % 3 ? QStringLiteral("11") : QStringLiteral("01"),
                                   QStringLiteral("2009-%1-%2").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(
                                       1 + i % 28, 2, 10, QLatin1Char('0')));
            }
            for (int l = 0; l < lists; ++l) {
                const QString name = QStringLiteral("List%1").arg(l);
                dm->PCreateAndMoveAll(QStringLiteral("WordTable"), name);
                dm->PInsertOneRecordToTable(QStringLiteral("TableNameTable"), QStringLiteral("表名"), name);
                names << name;
            }
            if (!keepWordTable)
                dm->PDeleteAllFromTable(QStringLiteral("WordTable"));
            t.commit();
        }
        names << QStringLiteral("WordTable");
    }
    ~ListsBank() { Pdatamodule = previous; }
};

struct Manager : TPManageFormTB {
    using TPManageFormTB::FormActivate;
};

sqlite3_stmt *prepare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    return st;
}

// The manager's statistics against one aggregate pass per list, the mastered words counted in the
// same pass; both sides give the totals of the manager's last row.
void BM_Pair_ManagerStatistics(benchmark::State &state)
{
    ListsBank bank(50, 2000, false);
    Manager form;
    sqlite3 *db = bank.dm->PConnection.handle();
    std::vector<sqlite3_stmt *> statements;
    for (const QString &t : bank.names)
        statements.push_back(prepare(db, QStringLiteral("SELECT count(*), sum(经验点数), sum(掌握类型 = '11'), "
                                                        "max(最近测试时间), min(最近测试时间) FROM %1")
                                             .arg(t)));
    const auto totals = [](const QStringList &row) {
        return row.value(0).toLongLong() * 1000003LL * 1000003LL + row.value(1).toLongLong() * 1000003LL +
               row.value(2).toLongLong();
    };
    TPPairClock clock(state);
    for (auto _ : state) {
        const bool same = clock.run(
            [&] {
                form.FormActivate();
                if (PItemCount(form.ListView1) != 53)
                    return -1LL;
                const QTreeWidgetItem *total = PItemAt(form.ListView1, PItemCount(form.ListView1) - 1);
                return totals({PSubItem(total, 0), PSubItem(total, 1), PSubItem(total, 2)});
            },
            [&] {
                qint64 words = 0, experience = 0, mastered = 0;
                QStringList texts;
                for (sqlite3_stmt *st : statements) {
                    if (sqlite3_step(st) == SQLITE_ROW) {
                        words += sqlite3_column_int64(st, 0);
                        experience += sqlite3_column_int64(st, 1);
                        mastered += sqlite3_column_int64(st, 2);
                        for (int c = 3; c < 5; ++c)
                            texts << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
                    }
                    sqlite3_reset(st);
                }
                benchmark::DoNotOptimize(texts);
                return totals({QString::number(words), QString::number(experience), QString::number(mastered)});
            });
        if (!same)
            break;
    }
    for (sqlite3_stmt *st : statements)
        sqlite3_finalize(st);
}
BENCHMARK(BM_Pair_ManagerStatistics)->Unit(benchmark::kMillisecond)->Iterations(20);

// The spelling filter's search against one LIKE per list, prepared once, its hits read as texts.
void BM_Pair_FilterSearch(benchmark::State &state)
{
    ListsBank bank(9, 20000, true);
    TPSameSubStrWordForm form;
    form.MeWord->setText(QStringLiteral("l x b"));
    sqlite3 *db = bank.dm->PConnection.handle();
    std::vector<sqlite3_stmt *> statements;
    QStringList order = bank.names;
    order.prepend(order.takeLast());
    for (const QString &t : order) {
        sqlite3_stmt *st = prepare(db, QStringLiteral("SELECT 单词, 解释 FROM %1 WHERE 单词 LIKE ?").arg(t));
        sqlite3_bind_text(st, 1, "%l%x%b%", -1, SQLITE_STATIC);
        statements.push_back(st);
    }
    TPPairClock clock(state);
    for (auto _ : state) {
        const bool same = clock.run(
            [&] {
                form.BTFindClick();
                return PItemCount(form.PLV);
            },
            [&] {
                int hits = 0;
                QStringList texts;
                for (sqlite3_stmt *st : statements) {
                    while (sqlite3_step(st) == SQLITE_ROW) {
                        ++hits;
                        for (int c = 0; c < 2; ++c)
                            texts << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                                       sqlite3_column_bytes(st, c));
                    }
                    sqlite3_reset(st);
                }
                benchmark::DoNotOptimize(texts);
                return hits;
            });
        if (!same)
            break;
    }
    for (sqlite3_stmt *st : statements)
        sqlite3_finalize(st);
}
BENCHMARK(BM_Pair_FilterSearch)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
