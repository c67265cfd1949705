// The commands on chosen words of a list (move, delete, re-set a field, move ticked words) and
// the shuffle, at 10,000 and 100,000 words with one word in ten chosen, against the raw SQLite
// floor: the same statements the layer sends, prepared once, in one transaction per command.

#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "support/scripteddialogs.h"

#include <QItemSelection>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>

namespace {

const QString Src = QStringLiteral("Src");
const QString Dst = QStringLiteral("Dst");

void exec(sqlite3 *db, const QString &sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

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
        for (const QString &t : {Src, Dst, QStringLiteral("Words10000"), QStringLiteral("Words100000")})
            dm->PCreateNewWordTable(QStringLiteral("WordTable"), t, QString());
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

int count(const QString &t) { return bank().dm->PGetCountFromTable(t); }

// Src holds n words afresh, Dst none; the log is emptied so that no side pays for the other's
// checkpoint.
void refill(int n)
{
    exec(bank().db(), QStringLiteral("DELETE FROM Src; DELETE FROM Dst; INSERT INTO Src SELECT * FROM Words%1 "
                                     "ORDER BY rowid; PRAGMA wal_checkpoint(TRUNCATE);")
                          .arg(n));
}

// The list view of Src with one item in ten chosen (selected or ticked); the chosen rows' IDs and
// words, last first, as the commands walk them.
QList<std::pair<QByteArray, QByteArray>> fillAndChoose(QTreeWidget &lv, bool tick)
{
    // Ticked words stand in check-box lists, whose caption is the word.
    PRefreshListView(&lv, Src, QString(), 0, tick ? QStringLiteral("DirectCheckForm") : QStringLiteral("mainformDBT"));
    QList<std::pair<QByteArray, QByteArray>> chosen;
    QItemSelection selection;
    for (int i = PItemCount(&lv) - 1; i >= 0; --i) {
        if (i % 10 != 0)
            continue;
        QTreeWidgetItem *item = PItemAt(&lv, i);
        if (tick) {
            item->setCheckState(0, Qt::Checked);
            chosen.push_back({QByteArray(), PCaption(item).toUtf8()});
        } else {
            const QModelIndex index = lv.model()->index(i, 0);
            selection.select(index, index);
            chosen.push_back({PCaption(item).toUtf8(), PSubItem(item, 0).toUtf8()});
        }
    }
    if (!tick)
        lv.selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return chosen;
}

class Raw {
public:
    explicit Raw(const char *sql) { sqlite3_prepare_v2(bank().db(), sql, -1, &m_st, nullptr); }
    ~Raw() { sqlite3_finalize(m_st); }
    bool run(std::initializer_list<QByteArray> values)
    {
        int i = 1;
        for (const QByteArray &v : values)
            sqlite3_bind_text(m_st, i++, v.constData(), int(v.size()), SQLITE_STATIC);
        const int rc = sqlite3_step(m_st);
        sqlite3_reset(m_st);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3_stmt *m_st = nullptr;
};

enum class Command { Move, Delete, Update, MoveTicked };

void layer(benchmark::State &state, Command command)
{
    UseBank use;
    const int n = int(state.range(0));
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        refill(n);
        QTreeWidget lv;
        lv.setSelectionMode(QAbstractItemView::ExtendedSelection);
        fillAndChoose(lv, command == Command::MoveTicked);
        state.ResumeTiming();
        switch (command) {
        case Command::Move: PMoveWords(&lv, Src, Dst, QStringLiteral("select")); break;
        case Command::MoveTicked: PMoveWords(&lv, Src, Dst, QStringLiteral("check")); break;
        case Command::Delete: PDeleteSelectedWords(&lv, Src); break;
        case Command::Update:
            PUpdateSelectedField(&lv, Src, QStringLiteral("所属类别"), QStringLiteral("易混词"), 5);
            break;
        }
        state.PauseTiming();
        const int changed = command == Command::Update
                                ? bank().dm->PGetCountFromTableWhere(Src, QStringLiteral("所属类别"), QStringLiteral("易混词"))
                                : n - count(Src);
        ok = ok && changed == n / 10 && (command == Command::Update || PItemCount(&lv) == n - n / 10);
        state.ResumeTiming();
    }
    if (!ok)
        state.SkipWithError("the command changed the wrong rows");
}

void raw(benchmark::State &state, Command command)
{
    UseBank use;
    const int n = int(state.range(0));
    sqlite3 *db = bank().db();
    Raw begin("SAVEPOINT lxb"), end("RELEASE SAVEPOINT lxb");
    Raw copyRow("INSERT INTO \"Dst\" SELECT * FROM \"Src\" WHERE \"ID\"=? AND \"单词\"=? ORDER BY rowid");
    Raw deleteRow("DELETE FROM \"Src\" WHERE \"ID\"=? AND \"单词\"=?");
    Raw updateRow("UPDATE \"Src\" SET \"所属类别\"=? WHERE \"ID\"=? AND \"单词\"=?");
    Raw copyWord("INSERT INTO \"Dst\" SELECT * FROM \"Src\" WHERE \"单词\"=? ORDER BY rowid");
    Raw deleteWord("DELETE FROM \"Src\" WHERE \"单词\"=?");
    const QByteArray category = QStringLiteral("易混词").toUtf8();
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        refill(n);
        QTreeWidget lv;
        lv.setSelectionMode(QAbstractItemView::ExtendedSelection);
        const auto chosen = fillAndChoose(lv, command == Command::MoveTicked);
        state.ResumeTiming();
        ok = ok && begin.run({});
        for (const auto &[id, word] : chosen) {
            switch (command) {
            case Command::Move: ok = ok && copyRow.run({id, word}) && deleteRow.run({id, word}); break;
            case Command::MoveTicked: ok = ok && copyWord.run({word}) && deleteWord.run({word}); break;
            case Command::Delete: ok = ok && deleteRow.run({id, word}); break;
            case Command::Update: ok = ok && updateRow.run({category, id, word}); break;
            }
        }
        ok = ok && end.run({});
        state.PauseTiming();
        const int changed = command == Command::Update
                                ? bank().dm->PGetCountFromTableWhere(Src, QStringLiteral("所属类别"), QStringLiteral("易混词"))
                                : n - count(Src);
        ok = ok && changed == n / 10;
        state.ResumeTiming();
    }
    (void)db;
    if (!ok)
        state.SkipWithError("the statements changed the wrong rows");
}

void BM_Layer_MoveOneWordInTen(benchmark::State &s) { layer(s, Command::Move); }
void BM_Raw_MoveOneWordInTen(benchmark::State &s) { raw(s, Command::Move); }
void BM_Layer_MoveOneTickedWordInTen(benchmark::State &s) { layer(s, Command::MoveTicked); }
void BM_Raw_MoveOneTickedWordInTen(benchmark::State &s) { raw(s, Command::MoveTicked); }
void BM_Layer_DeleteOneWordInTen(benchmark::State &s) { layer(s, Command::Delete); }
void BM_Raw_DeleteOneWordInTen(benchmark::State &s) { raw(s, Command::Delete); }
void BM_Layer_UpdateOneWordInTen(benchmark::State &s) { layer(s, Command::Update); }
void BM_Raw_UpdateOneWordInTen(benchmark::State &s) { raw(s, Command::Update); }

// Each size runs a fixed number of times: every run needs a fresh list, made outside the timing.
#define LIST_SIZES(f)                                                                                          \
    BENCHMARK(f)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond);                                   \
    BENCHMARK(f)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond)
LIST_SIZES(BM_Layer_MoveOneWordInTen);
LIST_SIZES(BM_Raw_MoveOneWordInTen);
LIST_SIZES(BM_Layer_MoveOneTickedWordInTen);
LIST_SIZES(BM_Raw_MoveOneTickedWordInTen);
LIST_SIZES(BM_Layer_DeleteOneWordInTen);
LIST_SIZES(BM_Raw_DeleteOneWordInTen);
LIST_SIZES(BM_Layer_UpdateOneWordInTen);
LIST_SIZES(BM_Raw_UpdateOneWordInTen);

// ---------------------------------------------------------------- shuffle of the current list

void BM_Layer_Shuffle(benchmark::State &state)
{
    UseBank use;
    const int n = int(state.range(0));
    PCurrentTable = Src;
    QTreeWidget scratch;
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        refill(n);
        state.ResumeTiming();
        PShuffleTable(&scratch);
        state.PauseTiming();
        ok = ok && use.quiet.lastText() == QStringLiteral("乱序成功") && count(Src) == n;
        state.ResumeTiming();
    }
    PCurrentTable = QStringLiteral("WordTable");
    if (!ok)
        state.SkipWithError("the shuffle lost rows");
}

void BM_Raw_Shuffle(benchmark::State &state)
{
    UseBank use;
    const int n = int(state.range(0));
    Raw begin("SAVEPOINT lxb"), end("RELEASE SAVEPOINT lxb");
    Raw ids("SELECT * FROM \"Src\" ORDER BY rowid");
    Raw emptyTemp("DELETE FROM \"TempTable\""), fillTemp("INSERT INTO \"TempTable\" SELECT * FROM \"Src\" ORDER BY rowid");
    Raw emptySrc("DELETE FROM \"Src\"");
    Raw copyBack("INSERT INTO \"Src\" SELECT * FROM \"TempTable\" WHERE \"ID\"=? ORDER BY rowid");
    std::mt19937 random(7);
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        refill(n);
        state.ResumeTiming();
        ok = ok && begin.run({});
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(bank().db(), "SELECT \"ID\" FROM \"Src\" ORDER BY rowid", -1, &st, nullptr);
        std::vector<QByteArray> order;
        while (sqlite3_step(st) == SQLITE_ROW)
            order.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        ok = ok && emptyTemp.run({}) && fillTemp.run({}) && emptySrc.run({});
        for (size_t left = order.size(); left > 0; --left) {
            const size_t pick = std::uniform_int_distribution<size_t>(0, left - 1)(random);
            ok = ok && copyBack.run({order[pick]});
            std::swap(order[pick], order[left - 1]);
        }
        ok = ok && end.run({});
        state.PauseTiming();
        ok = ok && count(Src) == n;
        state.ResumeTiming();
    }
    (void)ids;
    if (!ok)
        state.SkipWithError("the shuffle lost rows");
}

LIST_SIZES(BM_Layer_Shuffle);
LIST_SIZES(BM_Raw_Shuffle);

}  // namespace
