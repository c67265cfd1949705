// The commands on chosen words of a list (move one word in ten, move all, delete one in ten, move
// one ticked word in ten) and the shuffle, at 10,000 and 100,000 words, each paired with the most
// careful raw SQLite for the same effect, written here on its own: statements prepared once, one
// transaction, the chosen keys put into a temporary table by one prepared insert bound once per key
// and joined by one set-based statement per step, the shuffle as "order by random()". The program's
// side includes reading the choice from its list view and taking the moved items out of it.

#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "pairclock.h"
#include "support/scripteddialogs.h"

#include <QItemSelection>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstring>
#include <sqlite3.h>
#include <utility>

namespace {

void exec(sqlite3 *db, const QString &sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// Source and target lists for each side: Src/Dst for the program, RawSrc/RawDst for the raw side.
struct Bank {
    QTemporaryDir dir;
    std::unique_ptr<TPdatamodule> dm;

    Bank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
        ScriptedDialogs quiet;
        TPdatamodule *previous = Pdatamodule;
        dm = std::make_unique<TPdatamodule>(dir.path(), QStringList{path});
        dm->P_Create_WordTable();
        dm->P_Create_TempTable();
        for (const char *t : {"Src", "Dst", "RawSrc", "RawDst", "Words10000", "Words100000"})
            dm->PCreateNewWordTable(QStringLiteral("WordTable"), QString::fromLatin1(t), QString());
        for (int n : {10000, 100000})
            exec(db(), QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i<%1) "
                                      "INSERT INTO Words%1(ID,单词,音标,解释,做过次数,做错次数,经验点数,所属类别,"
                                      "上次是否做对,最近测试时间,掌握类型) SELECT i, 'w'||((i*7919)%%1), '/w/', "
                                      "'n. 单词'||i, 0, 0, 10, '基本词', '', '2026-12-07', '00' FROM k")
                                 .arg(n));
        Pdatamodule = previous ? previous : dm.get();
    }
    sqlite3 *db() { return dm->PConnection.handle(); }
};

Bank &bank()
{
    static Bank b;
    return b;
}

struct UseBank {
    TPdatamodule *previous = Pdatamodule;
    ScriptedDialogs quiet;
    UseBank() { Pdatamodule = bank().dm.get(); }
    ~UseBank() { Pdatamodule = previous; }
};

// Both sources hold n words afresh, both targets none; the log is folded so that no side pays
// for the other's checkpoint.
// The study group holds n rows too, as the shuffle leaves it, so that either side empties as many.
void refill(int n)
{
    exec(bank().db(), QStringLiteral("DELETE FROM Src; DELETE FROM Dst; DELETE FROM RawSrc; DELETE FROM RawDst; "
                                     "DELETE FROM TempTable; INSERT INTO Src SELECT * FROM Words%1 ORDER BY rowid; "
                                     "INSERT INTO RawSrc SELECT * FROM Words%1 ORDER BY rowid; "
                                     "INSERT INTO TempTable SELECT * FROM Words%1 ORDER BY rowid; "
                                     "PRAGMA wal_checkpoint(TRUNCATE);")
                          .arg(n));
}

// Every row of T in stored order, as one text, with the table's own name left out.
QByteArray contents(const QByteArray &t, bool sorted = false)
{
    const QByteArray sql = QByteArray("SELECT group_concat(r, char(10)) FROM (SELECT quote(ID)||'|'||单词||'|'||"
                                      "解释||'|'||所属类别 AS r FROM ") +
                           t + (sorted ? " ORDER BY r)" : " ORDER BY rowid)");
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(bank().db(), sql.constData(), -1, &st, nullptr);
    QByteArray out;
    if (sqlite3_step(st) == SQLITE_ROW)
        out = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}

enum class Command { MoveOneInTen, MoveAll, DeleteOneInTen, MoveTickedOneInTen };

// The list view of Src with the command's choice made; the chosen rows' keys, last first, as the
// raw side is given them (ID and word; the word alone for ticks).
std::vector<std::pair<QByteArray, QByteArray>> fillAndChoose(QTreeWidget &lv, Command c)
{
    const bool tick = c == Command::MoveTickedOneInTen;
    PRefreshListView(&lv, QStringLiteral("Src"), QString(), 0,
                     tick ? QStringLiteral("DirectCheckForm") : QStringLiteral("mainformDBT"));
    std::vector<std::pair<QByteArray, QByteArray>> chosen;
    QItemSelection selection;
    QSet<QString> ticked;
    for (int i = PItemCount(&lv) - 1; i >= 0; --i) {
        if (c != Command::MoveAll && i % 10 != 0)
            continue;
        QTreeWidgetItem *item = PItemAt(&lv, i);
        if (tick) {
            // A word ticked twice is moved once.
            if (ticked.contains(PCaption(item)))
                continue;
            ticked.insert(PCaption(item));
            item->setCheckState(0, Qt::Checked);
            chosen.push_back({QByteArray(), PCaption(item).toUtf8()});
        } else {
            const QModelIndex index = lv.model()->index(i, 0);
            selection.select(index, index);
            chosen.push_back({PCaption(item).toUtf8(), PSubItem(item, 0).toUtf8()});
        }
    }
    // Every row as one range, as the learner's select-all makes it: the selection model merges
    // separate ranges pair by pair.
    if (c == Command::MoveAll)
        selection = QItemSelection(lv.model()->index(0, 0), lv.model()->index(PItemCount(&lv) - 1, 0));
    if (!tick)
        lv.selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return chosen;
}

class Raw {
public:
    explicit Raw(const char *sql)
    {
        if (sqlite3_prepare_v2(bank().db(), sql, -1, &m_st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(bank().db()));
    }
    ~Raw() { sqlite3_finalize(m_st); }
    Raw(const Raw &) = delete;
    Raw &operator=(const Raw &) = delete;
    // Runs the statement once with texts bound to its first parameters.
    bool run(std::initializer_list<const QByteArray *> texts = {})
    {
        int i = 0;
        for (const QByteArray *t : texts)
            sqlite3_bind_text(m_st, ++i, t->constData(), int(t->size()), SQLITE_STATIC);
        const int rc = sqlite3_step(m_st);
        sqlite3_reset(m_st);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3_stmt *m_st = nullptr;
};

// What both sides changed in the bank's own tables (not the temporary ones that carry keys), folded
// into one figure from each changed row's kind of change and rowid: the same moves and deletes give
// the same figure whichever of the two lists they touch.
struct ChangeSum {
    long long sum = 0;
    explicit ChangeSum(sqlite3 *db) : m_db(db) { sqlite3_update_hook(db, &ChangeSum::hook, this); }
    ~ChangeSum() { sqlite3_update_hook(m_db, nullptr, nullptr); }
    ChangeSum(const ChangeSum &) = delete;
    ChangeSum &operator=(const ChangeSum &) = delete;
    long long take() { return std::exchange(sum, 0); }

private:
    static void hook(void *self, int op, const char *db, const char *, sqlite3_int64 rowid)
    {
        if (std::strcmp(db, "main") == 0)
            static_cast<ChangeSum *>(self)->sum += (op + 1) * 1000003LL + rowid;
    }
    sqlite3 *m_db;
};

void pairCommand(benchmark::State &state, Command command)
{
    UseBank use;
    const int n = int(state.range(0));
    sqlite3 *db = bank().db();
    exec(db, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS raw_keys(id, word)"));
    Raw begin("BEGIN"), commit("COMMIT"), emptyKeys("DELETE FROM temp.raw_keys");
    Raw addKey("INSERT INTO temp.raw_keys(id, word) VALUES(?1, ?2)"), addWord("INSERT INTO temp.raw_keys(word) VALUES(?1)");
    // The rows land in the order of the choice.
    Raw copyRows("INSERT INTO RawDst SELECT s.* FROM temp.raw_keys k JOIN RawSrc s ON s.ID = k.id AND s.单词 = k.word "
                 "ORDER BY k.rowid, s.rowid");
    Raw deleteRows("DELETE FROM RawSrc WHERE rowid IN (SELECT s.rowid FROM temp.raw_keys k JOIN RawSrc s "
                   "ON s.ID = k.id AND s.单词 = k.word)");
    Raw copyWords("INSERT INTO RawDst SELECT s.* FROM temp.raw_keys k JOIN RawSrc s ON s.单词 = k.word "
                  "ORDER BY k.rowid, s.rowid");
    Raw deleteWords("DELETE FROM RawSrc WHERE 单词 IN (SELECT word FROM temp.raw_keys)");
    const bool tick = command == Command::MoveTickedOneInTen;
    const QString mode = tick ? QStringLiteral("check") : QStringLiteral("select");
    ChangeSum changes(db);
    TPPairClock clock(state);
    for (auto _ : state) {
        state.PauseTiming();
        refill(n);
        QTreeWidget lv, rawLv;
        lv.setSelectionMode(QAbstractItemView::ExtendedSelection);
        fillAndChoose(lv, command);
        const auto chosen = fillAndChoose(rawLv, command);
        const int items = PItemCount(&lv);
        changes.take();
        state.ResumeTiming();
        const bool same = clock.run(
            [&] {
                if (command == Command::DeleteOneInTen)
                    PDeleteSelectedWords(&lv, QStringLiteral("Src"));
                else
                    PMoveWords(&lv, QStringLiteral("Src"), QStringLiteral("Dst"), mode);
                return changes.take();
            },
            [&] {
                bool ok = begin.run() && emptyKeys.run();
                for (auto k = chosen.begin(); ok && k != chosen.end(); ++k)
                    ok = tick ? addWord.run({&k->second}) : addKey.run({&k->first, &k->second});
                if (command == Command::DeleteOneInTen)
                    ok = ok && deleteRows.run();
                else if (tick)
                    ok = ok && copyWords.run() && deleteWords.run();
                else
                    ok = ok && copyRows.run() && deleteRows.run();
                ok = ok && commit.run();
                return ok ? changes.take() : -1;
            });
        state.PauseTiming();
        if (!same)
            break;
        if (PItemCount(&lv) != items - int(chosen.size()) || contents("Src") != contents("RawSrc") ||
            contents("Dst") != contents("RawDst")) {
            state.SkipWithError("the program and the raw side left different lists");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["goal"] = 1.5;
}

void BM_Pair_MoveOneInTen(benchmark::State &s) { pairCommand(s, Command::MoveOneInTen); }
void BM_Pair_MoveAll(benchmark::State &s) { pairCommand(s, Command::MoveAll); }
void BM_Pair_DeleteOneInTen(benchmark::State &s) { pairCommand(s, Command::DeleteOneInTen); }
void BM_Pair_MoveTickedOneInTen(benchmark::State &s) { pairCommand(s, Command::MoveTickedOneInTen); }

// Each size runs a fixed number of times: every run needs fresh lists, made outside the timing.
#define LIST_SIZES(f)                                                                                          \
    BENCHMARK(f)->Arg(10000)->Iterations(30)->Unit(benchmark::kMillisecond);                                   \
    BENCHMARK(f)->Arg(100000)->Iterations(4)->Unit(benchmark::kMillisecond)
LIST_SIZES(BM_Pair_MoveOneInTen);
LIST_SIZES(BM_Pair_MoveAll);
LIST_SIZES(BM_Pair_DeleteOneInTen);
LIST_SIZES(BM_Pair_MoveTickedOneInTen);

// ---------------------------------------------------------------- shuffle of the current list

void BM_Pair_Shuffle(benchmark::State &state)
{
    UseBank use;
    const int n = int(state.range(0));
    sqlite3 *db = bank().db();
    PCurrentTable = QStringLiteral("Src");
    QTreeWidget scratch;
    Raw begin("BEGIN"), commit("COMMIT");
    Raw emptyTemp("DELETE FROM TempTable"), fillTemp("INSERT INTO TempTable SELECT * FROM RawSrc ORDER BY rowid");
    Raw emptySrc("DELETE FROM RawSrc"), copyBack("INSERT INTO RawSrc SELECT * FROM TempTable ORDER BY random()");
    ChangeSum changes(db);
    TPPairClock clock(state);
    for (auto _ : state) {
        state.PauseTiming();
        refill(n);
        changes.take();
        state.ResumeTiming();
        const bool same = clock.run(
            [&] {
                PShuffleTable(&scratch);
                return use.quiet.lastText() == QStringLiteral("乱序成功") ? changes.take() : -1;
            },
            [&] {
                const bool ok = begin.run() && emptyTemp.run() && fillTemp.run() && emptySrc.run() &&
                                copyBack.run() && commit.run();
                return ok ? changes.take() : -1;
            });
        state.PauseTiming();
        if (!same)
            break;
        const QByteArray words = "Words" + QByteArray::number(n);
        if (contents("Src", true) != contents("RawSrc", true) || contents("Src", true) != contents(words, true) ||
            contents("Src") == contents(words) || contents("RawSrc") == contents(words)) {
            state.SkipWithError("the shuffles lost rows or left them in their order");
            break;
        }
        state.ResumeTiming();
    }
    PCurrentTable = QStringLiteral("WordTable");
    state.counters["goal"] = 1.5;
}
LIST_SIZES(BM_Pair_Shuffle);

}  // namespace
