// The word-list windows against the raw queries they need: the manager's statistics over 50 lists
// of 2,000 words and the spelling filter's search over 200,000 words in ten lists. Each benchmark
// times both sides in one run and reports window / raw as the counter "ratio".

#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordrecords.h"
#include "support/scripteddialogs.h"
#include "wordlists/manageformtb.h"
#include "wordlists/samesubstrwordform.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;

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

void BM_WordLists_ManagerStatistics_50x2000_VsRawAggregates(benchmark::State &state)
{
    ListsBank bank(50, 2000, false);
    Manager form;
    sqlite3 *db = bank.dm->PConnection.handle();
    // The raw side: five aggregates per list, prepared once.
    std::vector<sqlite3_stmt *> statements;
    for (const QString &t : bank.names)
        for (const char *q : {"SELECT count(*) FROM %1", "SELECT sum(经验点数) FROM %1",
                              "SELECT count(*) FROM %1 WHERE 掌握类型 = '11'", "SELECT max(最近测试时间) FROM %1",
                              "SELECT min(最近测试时间) FROM %1"})
            statements.push_back(prepare(db, QString::fromUtf8(q).arg(t)));
    Clock::duration window{}, raw{};
    qint64 rawWords = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        form.FormActivate();
        const auto t1 = Clock::now();
        rawWords = 0;
        QStringList texts;
        for (size_t i = 0; i < statements.size(); ++i) {
            sqlite3_stmt *st = statements[i];
            if (sqlite3_step(st) == SQLITE_ROW) {
                if (i % 5 == 0)
                    rawWords += sqlite3_column_int64(st, 0);
                texts << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
            }
            sqlite3_reset(st);
        }
        const auto t2 = Clock::now();
        window += t1 - t0;
        raw += t2 - t1;
        benchmark::DoNotOptimize(texts);
    }
    for (sqlite3_stmt *st : statements)
        sqlite3_finalize(st);
    QTreeWidgetItem *total = PItemAt(form.ListView1, PItemCount(form.ListView1) - 1);
    if (PItemCount(form.ListView1) != 53 || PSubItem(total, 0) != QString::number(rawWords) || rawWords != 100000)
        state.SkipWithError("the statistics differ from the raw aggregates");
    state.counters["ratio"] = double(window.count()) / double(raw.count());
}
BENCHMARK(BM_WordLists_ManagerStatistics_50x2000_VsRawAggregates)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_WordLists_FilterSearch_200000Words_VsRawLike(benchmark::State &state)
{
    ListsBank bank(9, 20000, true);
    TPSameSubStrWordForm form;
    form.MeWord->setText(QStringLiteral("l x b"));
    sqlite3 *db = bank.dm->PConnection.handle();
    // The raw side: one LIKE per list, prepared once, its rows read as the hits' texts.
    std::vector<sqlite3_stmt *> statements;
    QStringList order = bank.names;
    order.prepend(order.takeLast());
    for (const QString &t : order) {
        sqlite3_stmt *st = prepare(db, QStringLiteral("SELECT 单词, 解释 FROM %1 WHERE 单词 LIKE ?").arg(t));
        sqlite3_bind_text(st, 1, "%l%x%b%", -1, SQLITE_STATIC);
        statements.push_back(st);
    }
    Clock::duration window{}, raw{};
    int rawHits = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        form.BTFindClick();
        const auto t1 = Clock::now();
        rawHits = 0;
        QStringList texts;
        for (sqlite3_stmt *st : statements) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                ++rawHits;
                for (int c = 0; c < 2; ++c)
                    texts << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                               sqlite3_column_bytes(st, c));
            }
            sqlite3_reset(st);
        }
        const auto t2 = Clock::now();
        window += t1 - t0;
        raw += t2 - t1;
        benchmark::DoNotOptimize(texts);
    }
    for (sqlite3_stmt *st : statements)
        sqlite3_finalize(st);
    if (rawHits == 0 || PItemCount(form.PLV) != rawHits)
        state.SkipWithError("the filter's hits differ from the raw LIKE queries");
    state.counters["hits"] = rawHits;
    state.counters["ratio"] = double(window.count()) / double(raw.count());
}
BENCHMARK(BM_WordLists_FilterSearch_200000Words_VsRawLike)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
