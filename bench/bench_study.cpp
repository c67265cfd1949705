// Building a study group by each selection mode from a 100,000-word list, beside one raw SQLite
// read of the same rows; and copying 500 ticked words into TempTable, beside the same inserts made
// raw in one transaction.

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/windowkit.h"
#include "rules/random.h"
#include "rules/wordselection.h"
#include "core/grouptransfer.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kListWords = 100000;
constexpr int kTickWords = 5000;
constexpr int kTicked = 500;

using Clock = std::chrono::steady_clock;

struct StudyBank {
    QTemporaryDir dir;
    std::unique_ptr<ScriptedDialogs> quiet = std::make_unique<ScriptedDialogs>();
    std::unique_ptr<TPdatamodule> dm;

    StudyBank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        TPdatamodule *previous = Pdatamodule;
        dm = std::make_unique<TPdatamodule>(dir.path(), QStringList{path});
        dm->PCreateNewWordTable(Tbl::WordTable, QStringLiteral("Ticks"), QStringLiteral("empty"));
        sqlite3 *db = dm->PConnection.handle();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const char *table : {"WordTable", "Ticks"}) {
            const int words = QByteArray(table) == "Ticks" ? kTickWords : kListWords;
            const QByteArray sql = QByteArray("INSERT INTO ") + table +
                                   " (ID,单词,做过次数,做错次数,所属类别,上次是否做对,最近测试时间,掌握类型) "
                                   "VALUES (?,?,?,?,?,?,?,?)";
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
            const char *rights[] = {"对", "错", "未做"};
            const char *masters[] = {"00", "01", "10", "11"};
            for (int i = 0; i < words; ++i) {
                const int k = int((qint64(i) * 7919) % words);
                const QByteArray word = "word" + QByteArray::number(k);
                const QByteArray date = k % 11 == 0   ? QByteArray()
                                        : k % 7 == 0 ? QByteArray("2000-01-01")
                                                     : QDate(2026, 1, 1).addDays(k % 340).toString(
                                                           QStringLiteral("yyyy-MM-dd")).toLatin1();
                sqlite3_bind_int(st, 1, i + 1);
                sqlite3_bind_text(st, 2, word.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(st, 3, k % 17);
                sqlite3_bind_int(st, 4, k % 5);
                sqlite3_bind_text(st, 5, "基本词", -1, SQLITE_STATIC);
                sqlite3_bind_text(st, 6, rights[k % 3], -1, SQLITE_STATIC);
                sqlite3_bind_text(st, 7, date.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 8, masters[k % 4], -1, SQLITE_STATIC);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        Pdatamodule = previous ? previous : dm.get();
    }
};

StudyBank &studyBank()
{
    static StudyBank b;
    return b;
}

struct UseStudyBank {
    TPdatamodule *previous = Pdatamodule;
    QString previousList = PCurrentTable;
    explicit UseStudyBank(const QString &list)
    {
        Pdatamodule = studyBank().dm.get();
        PCurrentTable = list;
    }
    ~UseStudyBank()
    {
        Pdatamodule = previous;
        PCurrentTable = previousList;
    }
};

// One raw read of the "createform" columns of every row, in the order asked for.
QVector<TPWordItem> rawRead(const char *order)
{
    sqlite3 *db = studyBank().dm->PConnection.handle();
    const QByteArray sql = QByteArray("SELECT ID,单词,做过次数,做错次数,所属类别,上次是否做对,最近测试时间,掌握类型 "
                                      "FROM WordTable ORDER BY ") + order;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    QVector<TPWordItem> rows;
    rows.reserve(kListWords);
    const auto text = [st](int c) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        TPWordItem item;
        item.caption = text(0);
        for (int c = 0; c < 7; ++c)
            item.sub[size_t(c)] = text(c + 1);
        rows << item;
    }
    sqlite3_finalize(st);
    return rows;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The rule's whole run on the rows a builder holds: the two lists made from the candidates, any
// reload the mode makes (a raw read, as above), and the three steps.
// The floor is the read the mode itself needs: the rows in table order, or in the order a reloading
// mode asks the bank for.
void autoCreate(benchmark::State &state, const QString &mode, const char *floorOrder = "rowid")
{
    const int n = int(state.range(0));
    const QVector<TPWordItem> candidates = rawRead("rowid");
    TPSelectionContext c;
    c.n = n;
    c.mode = mode;
    c.today = QStringLiteral("2026-12-07");
    c.now = QDateTime(QDate(2026, 12, 7), QTime(10, 0));
    c.random = &PRandom();
    c.reload = [](bool descending) { return rawRead(descending ? "最近测试时间 DESC" : "最近测试时间"); };

    Clock::duration ruleTime{}, readTime{};
    qint64 runs = 0;
    bool exact = true;
    for (auto _ : state) {
        Clock::time_point t0 = Clock::now();
        TPGroupLists lists(candidates, {});
        const QString refusal = PAutoCreateGroup(lists, c);
        ruleTime += Clock::now() - t0;
        exact = exact && refusal.isEmpty() && lists.count(SideChosen) == n &&
                lists.count(SideCandidates) == kListWords - n;
        t0 = Clock::now();
        const QVector<TPWordItem> floor = rawRead(floorOrder);
        readTime += Clock::now() - t0;
        exact = exact && floor.size() == kListWords;
        ++runs;
    }
    if (!exact)
        state.SkipWithError("the group or the read came out wrong");
    state.counters["rule_ms"] = seconds(ruleTime) * 1000 / double(runs);
    state.counters["raw_read_ms"] = seconds(readTime) * 1000 / double(runs);
    state.counters["x_raw_read"] = seconds(ruleTime) / seconds(readTime);
}

#define MODE_BENCH(Name, ...)                                                                                     \
    void BM_AutoCreateGroup_##Name(benchmark::State &state) { autoCreate(state, __VA_ARGS__); }                 \
    BENCHMARK(BM_AutoCreateGroup_##Name)->Arg(15)->Arg(500)->Unit(benchmark::kMillisecond)

MODE_BENCH(ForgettingCurve, QStringLiteral("遗忘曲线"));
MODE_BENCH(Rolling, QStringLiteral("滚动产生"));
MODE_BENCH(Smart, QStringLiteral("智能产生"));
MODE_BENCH(ErrorFirst, QStringLiteral("错误优先"), "最近测试时间");
MODE_BENCH(Random, QStringLiteral("随机产生"));
MODE_BENCH(RecentFirst, QStringLiteral("最近优先"), "最近测试时间");
MODE_BENCH(OldestFirst, QStringLiteral("最远优先"), "最近测试时间 DESC");

// 500 ticked words of a 5,000-word list copied into TempTable, beside the same statements run raw.
void BM_MoveCheckedToTempTable_500(benchmark::State &state)
{
    UseStudyBank use(QStringLiteral("Ticks"));
    std::unique_ptr<QTreeWidget> ticks(PMakeReportView(nullptr, QStringLiteral("ticks"), {TPColumn{}}, true));
    for (int i = 0; i < kTickWords; ++i) {
        PAddItem(ticks.get(), QStringLiteral("word%1").arg(i))
            ->setCheckState(0, i % (kTickWords / kTicked) == 0 ? Qt::Checked : Qt::Unchecked);
    }
    sqlite3 *db = studyBank().dm->PConnection.handle();
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TempTable SELECT * FROM Ticks WHERE 单词=?", -1, &insert, nullptr);
    const auto tempRows = [db] {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM TempTable", -1, &st, nullptr);
        sqlite3_step(st);
        const int n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        return n;
    };

    Clock::duration moveTime{}, rawTime{};
    qint64 runs = 0;
    bool exact = true;
    for (auto _ : state) {
        Clock::time_point t0 = Clock::now();
        exact = PMoveCheckedToTempTable(ticks.get()) && exact;
        moveTime += Clock::now() - t0;
        exact = exact && tempRows() == kTicked;

        t0 = Clock::now();
        int rc = sqlite3_exec(db, "BEGIN; DELETE FROM TempTable;", nullptr, nullptr, nullptr);
        for (int i = 0; i < kTickWords; i += kTickWords / kTicked) {
            const QByteArray word = "word" + QByteArray::number(i);
            sqlite3_bind_text(insert, 1, word.constData(), -1, SQLITE_TRANSIENT);
            rc |= sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
            sqlite3_reset(insert);
        }
        rc |= sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        rawTime += Clock::now() - t0;
        exact = exact && rc == SQLITE_OK && tempRows() == kTicked;
        ++runs;
    }
    sqlite3_finalize(insert);
    if (!exact)
        state.SkipWithError("TempTable did not receive the ticked words");
    state.counters["move_ms"] = seconds(moveTime) * 1000 / double(runs);
    state.counters["raw_ms"] = seconds(rawTime) * 1000 / double(runs);
    state.counters["x_raw_inserts"] = seconds(moveTime) / seconds(rawTime);
}
BENCHMARK(BM_MoveCheckedToTempTable_500)->Unit(benchmark::kMillisecond);

}  // namespace
