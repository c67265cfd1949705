// The data layer against raw SQLite on a 20,000-word list. Each pair does the same work: the same
// statements (the raw side runs the SQLite text the layer sends, prepared once), in the same
// transaction shape, and both check what they get back.

#include "core/datamodule.h"
#include "core/wordrecords.h"
#include "support/scripteddialogs.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kWords = 20000;
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");

QString wordAt(int i) { return QStringLiteral("word%1").arg(i); }

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
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kWords; ++i)
            PInsertWordRecord(W, K, QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                              QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("所属类别"), wordAt(i),
                              QStringLiteral("/wɜːd/"), QStringLiteral("n. 单词") + QString::number(i), QString(),
                              QString(), QString(), QStringLiteral("基本词"));
        t.commit();
        Pdatamodule = previous ? previous : dm.get();
    }
};

Bank &bank()
{
    static Bank b;
    return b;
}

struct UseBank {
    TPdatamodule *previous = Pdatamodule;
    UseBank() { Pdatamodule = bank().dm.get(); }
    ~UseBank() { Pdatamodule = previous; }
};

sqlite3 *db() { return bank().dm->PConnection.handle(); }

// A statement prepared once, as a careful hand-written program keeps it.
class Raw {
public:
    explicit Raw(const char *sql)
    {
        if (sqlite3_prepare_v2(db(), sql, -1, &m_st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db()));
    }
    ~Raw() { sqlite3_finalize(m_st); }
    Raw &bind(int i, const QByteArray &v)
    {
        sqlite3_bind_text(m_st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // Steps to the end; the rows seen, or -1 on an error.
    int run()
    {
        int rows = 0, rc;
        while ((rc = sqlite3_step(m_st)) == SQLITE_ROW)
            ++rows;
        sqlite3_reset(m_st);
        return rc == SQLITE_DONE ? rows : -1;
    }
    sqlite3_stmt *st() const { return m_st; }

private:
    sqlite3_stmt *m_st = nullptr;
};

void check(benchmark::State &state, bool ok, const char *what)
{
    if (!ok)
        state.SkipWithError(what);
}

// ---------------------------------------------------------------- keyed select

void BM_Layer_KeyedSelect(benchmark::State &state)
{
    UseBank use;
    int i = 0;
    bool ok = true;
    for (auto _ : state) {
        const int k = i++ % kWords;
        ok = ok && bank().dm->PGetOneDataFromTable(QStringLiteral("解释"), W, K, wordAt(k)) ==
                       QStringLiteral("n. 单词") + QString::number(k);
    }
    check(state, ok, "a select found the wrong meaning");
}
BENCHMARK(BM_Layer_KeyedSelect);

void BM_Raw_KeyedSelect(benchmark::State &state)
{
    UseBank use;
    Raw select("SELECT * FROM \"WordTable\" WHERE \"单词\"=? ORDER BY rowid");
    int i = 0;
    bool ok = true;
    for (auto _ : state) {
        const int k = i++ % kWords;
        select.bind(1, wordAt(k).toUtf8());
        QString meaning;
        if (sqlite3_step(select.st()) == SQLITE_ROW)
            meaning = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select.st(), 3)));
        sqlite3_reset(select.st());
        ok = ok && meaning == QStringLiteral("n. 单词") + QString::number(k);
    }
    check(state, ok, "a select found the wrong meaning");
}
BENCHMARK(BM_Raw_KeyedSelect);

// ---------------------------------------------------------------- keyed update, each its own commit

void BM_Layer_KeyedUpdate(benchmark::State &state)
{
    UseBank use;
    // Every update writes a count the row does not hold: SQLite skips rewriting a row with its own
    // bytes, which would measure no write at all. The raw side writes counts below zero, so that
    // neither side ever repeats what the other left.
    int i = 0;
    for (auto _ : state) {
        bank().dm->PUpdateOneDataFromTable(W, K, QStringLiteral("做过次数"), wordAt(i % kWords), QString::number(i));
        ++i;
    }
    check(state, sqlite3_changes(db()) == 1, "the update changed no row");
}
BENCHMARK(BM_Layer_KeyedUpdate);

void BM_Raw_KeyedUpdate(benchmark::State &state)
{
    UseBank use;
    Raw update("UPDATE \"WordTable\" SET \"做过次数\"=? WHERE \"单词\"=?");
    int i = 0;
    bool ok = true;
    for (auto _ : state) {
        update.bind(1, QByteArray::number(-1 - i)).bind(2, wordAt(i % kWords).toUtf8());
        ++i;
        ok = ok && update.run() == 0 && sqlite3_changes(db()) == 1;
    }
    check(state, ok, "the update changed no row");
}
BENCHMARK(BM_Raw_KeyedUpdate);

// ---------------------------------------------------------------- insert, each its own commit

void removeFresh() { sqlite3_exec(db(), "DELETE FROM WordTable WHERE 单词 LIKE 'fresh%'", nullptr, nullptr, nullptr); }

void BM_Layer_Insert(benchmark::State &state)
{
    UseBank use;
    int i = 0;
    for (auto _ : state)
        bank().dm->PInsertOneRecordToTable(W, K, QStringLiteral("fresh%1").arg(i++));
    check(state, bank().dm->PGetCountFromTable(W) == kWords + i, "rows went missing");
    removeFresh();
}
BENCHMARK(BM_Layer_Insert);

// A new row takes the next number of the table's counter, as the layer numbers it.
const char *const kRawInsert =
    "INSERT INTO \"WordTable\"(\"ID\",\"单词\") VALUES((SELECT seed FROM lxb_counters WHERE tbl='WordTable')+1,?)";

void BM_Raw_Insert(benchmark::State &state)
{
    UseBank use;
    Raw insert(kRawInsert);
    int i = 0;
    bool ok = true;
    for (auto _ : state)
        ok = ok && insert.bind(1, QStringLiteral("fresh%1").arg(i++).toUtf8()).run() == 0;
    check(state, ok && bank().dm->PGetCountFromTable(W) == kWords + i, "rows went missing");
    removeFresh();
}
BENCHMARK(BM_Raw_Insert);

// ---------------------------------------------------------------- a new word as the program writes it

const QStringList kFields{"音标", "解释", "联想", "详解", "例句", "所属类别",
                          "做过次数", "做错次数", "经验点数", "上次是否做对", "最近测试时间", "掌握类型"};
const QStringList kValues{"/njuː/", "adj. 新的", "", "", "", "基本词", "0", "0", "10", "", "2026-12-07", "00"};

// One insert and twelve keyed updates: the insert with the first six in one savepoint (with a
// nested one round the six), then two savepoints of three.
void BM_Layer_NewWord(benchmark::State &state)
{
    UseBank use;
    int i = 0;
    for (auto _ : state) {
        const QString w = QStringLiteral("fresh%1").arg(i++);
        PInsertWordRecord(W, K, kFields[0], kFields[1], kFields[2], kFields[3], kFields[4], kFields[5], w,
                          kValues[0], kValues[1], kValues[2], kValues[3], kValues[4], kValues[5]);
        PUpdateWordRecord3(W, K, kFields[6], kFields[7], kFields[8], w, kValues[6], kValues[7], kValues[8]);
        PUpdateWordRecord3(W, K, kFields[9], kFields[10], kFields[11], w, kValues[9], kValues[10], kValues[11]);
    }
    check(state, bank().dm->PGetCountFromTableWhere(W, QStringLiteral("掌握类型"), QStringLiteral("00")) == i,
          "words went missing");
    removeFresh();
}
BENCHMARK(BM_Layer_NewWord);

void BM_Raw_NewWord(benchmark::State &state)
{
    UseBank use;
    Raw insert(kRawInsert), begin("SAVEPOINT lxb"), end("RELEASE SAVEPOINT lxb");
    std::vector<std::unique_ptr<Raw>> updates;
    for (const QString &f : kFields)
        updates.push_back(std::make_unique<Raw>(
            (QStringLiteral("UPDATE \"WordTable\" SET \"") + f + QStringLiteral("\"=? WHERE \"单词\"=?")).toUtf8().constData()));
    const auto update = [&](int f, const QByteArray &w) {
        return updates[f]->bind(1, kValues[f].toUtf8()).bind(2, w).run() == 0;
    };
    int i = 0;
    bool ok = true;
    for (auto _ : state) {
        const QByteArray w = QStringLiteral("fresh%1").arg(i++).toUtf8();
        ok = ok && begin.run() == 0 && insert.bind(1, w).run() == 0 && begin.run() == 0;
        for (int f = 0; f < 6; ++f)
            ok = ok && update(f, w);
        ok = ok && end.run() == 0 && end.run() == 0;
        for (int g = 6; g < 12; g += 3) {
            ok = ok && begin.run() == 0;
            for (int f = g; f < g + 3; ++f)
                ok = ok && update(f, w);
            ok = ok && end.run() == 0;
        }
    }
    check(state, ok && bank().dm->PGetCountFromTableWhere(W, QStringLiteral("掌握类型"), QStringLiteral("00")) == i,
          "words went missing");
    removeFresh();
}
BENCHMARK(BM_Raw_NewWord);

// ---------------------------------------------------------------- a list's word count

void BM_Layer_CountWords(benchmark::State &state)
{
    UseBank use;
    bool ok = true;
    for (auto _ : state)
        ok = ok && bank().dm->PGetCountFromTable(W) == kWords;
    check(state, ok, "wrong count");
}
BENCHMARK(BM_Layer_CountWords);

void BM_Raw_CountWords(benchmark::State &state)
{
    UseBank use;
    Raw count("SELECT count(*) FROM \"WordTable\"");
    bool ok = true;
    for (auto _ : state) {
        ok = ok && sqlite3_step(count.st()) == SQLITE_ROW && sqlite3_column_int(count.st(), 0) == kWords;
        sqlite3_reset(count.st());
    }
    check(state, ok, "wrong count");
}
BENCHMARK(BM_Raw_CountWords);

// ---------------------------------------------------------------- a whole list read to its end

void BM_Layer_ReadList(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    int rows = 0;
    for (auto _ : state) {
        dm.PSelectAllFromTable(W);
        dm.PQuery.open();
        const int word = dm.PQuery.fieldIndex(K), meaning = dm.PQuery.fieldIndex(QStringLiteral("解释"));
        qsizetype chars = 0;
        for (rows = 0; !dm.PQuery.eof(); dm.PQuery.next(), ++rows)
            chars += dm.PQuery.fieldAt(word).size() + dm.PQuery.fieldAt(meaning).size();
        dm.PQuery.close();
        benchmark::DoNotOptimize(chars);
    }
    check(state, rows == kWords, "rows went missing");
}
BENCHMARK(BM_Layer_ReadList)->Unit(benchmark::kMillisecond);

void BM_Raw_ReadList(benchmark::State &state)
{
    UseBank use;
    Raw select("SELECT * FROM \"WordTable\" ORDER BY rowid");
    int rows = 0;
    for (auto _ : state) {
        qsizetype chars = 0;
        for (rows = 0; sqlite3_step(select.st()) == SQLITE_ROW; ++rows) {
            for (int c : {1, 3}) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select.st(), c));
                chars += QString::fromUtf8(text, sqlite3_column_bytes(select.st(), c)).size();
            }
        }
        sqlite3_reset(select.st());
        benchmark::DoNotOptimize(chars);
    }
    check(state, rows == kWords, "rows went missing");
}
BENCHMARK(BM_Raw_ReadList)->Unit(benchmark::kMillisecond);

}  // namespace
