// The data layer against the most careful raw SQLite code for the same effect, on a 20,000-word
// list: statements prepared once, bound by position, values as the program holds them (QString).
// Each iteration runs both sides once, in turn (TPPairClock); both report what they did, and the
// figure's ratio is program / raw. Keyed verbs run in batches inside one transaction on both sides,
// so that no commit hides the layer's own cost; a new word from the editor is one transaction per
// word on both sides, as the editor writes it. The write-ahead log is folded outside the clocks.

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "logfold.h"
#include "pairclock.h"
#include "platform/clock.h"
#include "support/scripteddialogs.h"
#include "wordlists/newwordrow.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWords = 20000;
constexpr int kBatch = 100;  // keyed verbs per transaction
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");

// Texts made once, outside the clocks: both sides get the same strings ready, so that the time
// measured is the bank's and the layer's, not the making of inputs.
const std::vector<QString> &texts(const char *pattern, int n)
{
    static std::map<std::string, std::vector<QString>> made;
    std::vector<QString> &v = made[pattern];
    if (v.empty())
        for (int i = 0; i < n; ++i)
            v.push_back(QString::fromUtf8(pattern).arg(i));
    return v;
}
const QString &wordAt(int i) { return texts("word%1", kWords)[i]; }
const QString &meaningAt(int i) { return texts("n. 单词%1", kWords)[i]; }
const QString &freshAt(const char *side, int i) { return texts(side, kBatch)[i]; }

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
        dm->P_Create_UsedWordTable();
        JetCommand insert(dm->PConnection, QStringLiteral("insert into WordTable(单词,音标,解释,所属类别) "
                                                          "values(:单词,:音标,:解释,:所属类别)"));
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kWords; ++i)
            insert.exec({wordAt(i), QStringLiteral("/wɜːd/"), meaningAt(i), QStringLiteral("基本词")});
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

// A statement prepared once, as a careful hand-written program keeps it; texts bound from QString.
class Raw {
public:
    explicit Raw(const char *sql)
    {
        if (sqlite3_prepare_v3(db(), sql, -1, SQLITE_PREPARE_PERSISTENT, &m_st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db()));
    }
    ~Raw() { sqlite3_finalize(m_st); }
    // The UTF-8 is kept until the value is bound again, so SQLite need not copy it.
    Raw &bind(int i, const QString &v)
    {
        if (int(m_values.size()) < i)
            m_values.resize(i);
        QByteArray &utf8 = m_values[i - 1];
        utf8 = v.toUtf8();
        sqlite3_bind_text(m_st, i, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
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
    // The first column of the first row as a number (0 without a row).
    long long number()
    {
        const long long n = sqlite3_step(m_st) == SQLITE_ROW ? sqlite3_column_int64(m_st, 0) : 0;
        sqlite3_reset(m_st);
        return n;
    }
    sqlite3_stmt *st() const { return m_st; }

private:
    sqlite3_stmt *m_st = nullptr;
    std::vector<QByteArray> m_values;
};

// Rows added by a run go again outside the clocks, so that every run finds the same list.
void removeAdded()
{
    sqlite3_exec(db(), "DELETE FROM WordTable WHERE rowid>20000", nullptr, nullptr, nullptr);
}

void describe(benchmark::State &state, const char *figure, double goal)
{
    state.SetLabel(figure);
    state.counters["goal"] = goal;
}

// ---------------------------------------------------------------- keyed select

void BM_Pair_KeyedSelect(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    const QString meaning = QStringLiteral("解释");
    Raw begin("BEGIN"), commit("COMMIT"), select("SELECT * FROM \"WordTable\" WHERE \"单词\"=? ORDER BY rowid");
    TPPairClock clock(state);
    int round = 0;
    for (auto _ : state) {
        const int from = (round++ * kBatch) % kWords;
        const auto program = [&] {
            long long found = 0;
            JetTransaction t(dm.PConnection);
            for (int k = from; k < from + kBatch; ++k)
                found += dm.PGetOneDataFromTable(meaning, W, K, wordAt(k)) == meaningAt(k);
            t.commit();
            return found;
        };
        const auto raw = [&] {
            long long found = 0;
            begin.run();
            for (int k = from; k < from + kBatch; ++k) {
                select.bind(1, wordAt(k));
                QString text;
                if (sqlite3_step(select.st()) == SQLITE_ROW)
                    text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select.st(), 3)),
                                             sqlite3_column_bytes(select.st(), 3));
                sqlite3_reset(select.st());
                found += text == meaningAt(k);
            }
            commit.run();
            return found;
        };
        if (!clock.run(program, raw))
            break;
    }
    describe(state, "keyed select (PGetOneDataFromTable-like)", 1.3);
}
BENCHMARK(BM_Pair_KeyedSelect);

// ---------------------------------------------------------------- keyed update

void BM_Pair_KeyedUpdate(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    TPLogFoldsOutsideTheClock log(db());
    const QString field = QStringLiteral("做过次数");
    Raw begin("BEGIN"), commit("COMMIT"), update("UPDATE \"WordTable\" SET \"做过次数\"=? WHERE \"单词\"=?");
    TPPairClock clock(state);
    int round = 0;
    for (auto _ : state) {
        // Every update writes a count the row does not hold (SQLite skips a row rewritten with its
        // own bytes): the program counts up, the raw side below zero.
        const int from = (round * kBatch) % kWords;
        ++round;
        const QString up = QString::number(round), down = QString::number(-round);
        const auto program = [&] {
            long long changed = 0;
            JetTransaction t(dm.PConnection);
            for (int k = from; k < from + kBatch; ++k) {
                dm.PUpdateOneDataFromTable(W, K, field, wordAt(k), up);
                changed += sqlite3_changes(db());
            }
            t.commit();
            return changed;
        };
        const auto raw = [&] {
            long long changed = 0;
            begin.run();
            for (int k = from; k < from + kBatch; ++k) {
                update.bind(1, down).bind(2, wordAt(k));
                changed += update.run() == 0 ? sqlite3_changes(db()) : 0;
            }
            commit.run();
            return changed;
        };
        if (!clock.run(program, raw))
            break;
        log.fold();
    }
    describe(state, "keyed update", 1.3);
}
BENCHMARK(BM_Pair_KeyedUpdate);

// ---------------------------------------------------------------- insert

// A new row takes the next number of the table's counter, as the layer numbers it.
const char *const kRawInsert =
    "INSERT INTO \"WordTable\"(\"ID\",\"单词\") VALUES((SELECT seed FROM lxb_counters WHERE tbl='WordTable')+1,?)";

void BM_Pair_Insert(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    TPLogFoldsOutsideTheClock log(db());
    Raw begin("BEGIN"), commit("COMMIT"), insert(kRawInsert);
    TPPairClock clock(state);
    for (auto _ : state) {
        const auto program = [&] {
            const long long before = sqlite3_total_changes64(db());
            JetTransaction t(dm.PConnection);
            for (int k = 0; k < kBatch; ++k)
                dm.PInsertOneRecordToTable(W, K, freshAt("pfresh%1", k));
            t.commit();
            return sqlite3_total_changes64(db()) - before;
        };
        const auto raw = [&] {
            const long long before = sqlite3_total_changes64(db());
            begin.run();
            for (int k = 0; k < kBatch; ++k)
                insert.bind(1, freshAt("rfresh%1", k)).run();
            commit.run();
            return sqlite3_total_changes64(db()) - before;
        };
        if (!clock.run(program, raw))
            break;
        removeAdded();
        log.fold();
    }
    describe(state, "insert", 1.3);
}
BENCHMARK(BM_Pair_Insert);

// ---------------------------------------------------------------- a new word from the editor

// The editor's new word: the check that the list lacks it, the word with every field and the
// statistics of a new word in one row, the check of the words learnt before, and the new row's ID;
// one commit per word. The raw side inserts the full row once and reads its ID by row number.
void BM_Pair_EditorNewWord(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    TPLogFoldsOutsideTheClock log(db());
    constexpr int kNew = 20;
    Raw begin("BEGIN"), commit("COMMIT"), rollback("ROLLBACK");
    Raw exists("SELECT count(*) FROM \"WordTable\" WHERE \"单词\"=?");
    Raw used("SELECT count(*) FROM \"UsedWordTable\" WHERE \"单词\"=?");
    Raw insert("INSERT INTO \"WordTable\"(\"ID\",\"单词\",\"音标\",\"解释\",\"联想\",\"详解\",\"例句\",\"做过次数\","
               "\"做错次数\",\"经验点数\",\"所属类别\",\"最近测试时间\",\"掌握类型\") VALUES((SELECT seed FROM "
               "lxb_counters WHERE tbl='WordTable')+1,?,?,?,?,?,?,?,?,?,?,?,?)");
    Raw id("SELECT \"ID\" FROM \"WordTable\" WHERE rowid=last_insert_rowid()");
    TPWordRecord r;
    r.phonetic = QStringLiteral("/njuː/");
    r.explanation = QStringLiteral("adj. 新的");
    r.association = QString();
    r.details = QStringLiteral("详解");
    r.example = QStringLiteral("A new word.");
    r.category = QStringLiteral("基本词");
    TPPairClock clock(state);
    for (auto _ : state) {
        const auto program = [&] {
            long long stored = 0;
            for (int k = 0; k < kNew; ++k) {
                r.word = freshAt("pfresh%1", k);
                if (dm.PGetCountFromTableWhere(W, K, r.word) != 0)
                    continue;
                stored += PInsertEditorWord(W, r).toLongLong() > kWords;
            }
            return stored;
        };
        const auto raw = [&] {
            long long stored = 0;
            for (int k = 0; k < kNew; ++k) {
                const QString &word = freshAt("rfresh%1", k);
                begin.run();
                if (exists.bind(1, word).number() != 0) {
                    rollback.run();
                    continue;
                }
                const QString experience = used.bind(1, word).number() > 0 ? QStringLiteral("0") : Code::NewWordExperience;
                insert.bind(1, word).bind(2, r.phonetic).bind(3, r.explanation).bind(4, r.association);
                insert.bind(5, r.details).bind(6, r.example).bind(7, QStringLiteral("0")).bind(8, QStringLiteral("0"));
                insert.bind(9, experience).bind(10, r.category).bind(11, PTodayText()).bind(12, Code::Master00);
                if (insert.run() != 0) {
                    rollback.run();
                    break;
                }
                stored += id.number() > kWords;
                commit.run();
            }
            return stored;
        };
        if (!clock.run(program, raw))
            break;
        removeAdded();
        log.fold();
    }
    describe(state, "a new word from the word-entry editor, against one full-row insert (+check, ID)", 2.0);
}
BENCHMARK(BM_Pair_EditorNewWord);

// ---------------------------------------------------------------- a new word from the dictionary / import

void BM_Pair_NewWord(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    TPLogFoldsOutsideTheClock log(db());
    Raw begin("BEGIN"), commit("COMMIT");
    Raw insert("INSERT INTO \"WordTable\"(\"ID\",\"单词\",\"音标\",\"解释\",\"联想\",\"详解\",\"例句\",\"做过次数\","
               "\"做错次数\",\"经验点数\",\"所属类别\",\"最近测试时间\",\"掌握类型\",\"上次是否做对\") VALUES((SELECT "
               "seed FROM lxb_counters WHERE tbl='WordTable')+1,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    const TPNewWord word{QString(), QStringLiteral("/njuː/"), QStringLiteral("adj. 新的"), QStringLiteral("详解"),
                         QStringLiteral("A new word."), Code::Wrong};
    const QString empty = QStringLiteral("");
    TPPairClock clock(state);
    for (auto _ : state) {
        const auto program = [&] {
            const long long before = sqlite3_total_changes64(db());
            TPNewWord w = word;
            JetTransaction t(dm.PConnection);
            for (int k = 0; k < kBatch; ++k) {
                w.Word = freshAt("pfresh%1", k);
                PInsertNewWord(W, w);
            }
            t.commit();
            return sqlite3_total_changes64(db()) - before;
        };
        const auto raw = [&] {
            const long long before = sqlite3_total_changes64(db());
            const QString today = PTodayText();
            begin.run();
            for (int k = 0; k < kBatch; ++k) {
                insert.bind(1, freshAt("rfresh%1", k)).bind(2, word.Pron).bind(3, word.Mean).bind(4, empty);
                insert.bind(5, word.Expl).bind(6, word.Sent).bind(7, QStringLiteral("0")).bind(8, QStringLiteral("0"));
                insert.bind(9, Code::NewWordExperience).bind(10, empty).bind(11, today);
                insert.bind(12, Code::Master00).bind(13, word.LastResult).run();
            }
            commit.run();
            return sqlite3_total_changes64(db()) - before;
        };
        if (!clock.run(program, raw))
            break;
        removeAdded();
        log.fold();
    }
    describe(state, "a new word from the dictionary / bulk import (PInsertNewWord), against one full-row insert",
             1.5);
}
BENCHMARK(BM_Pair_NewWord);

// ---------------------------------------------------------------- a list's word count, a whole list read

void BM_Pair_CountWords(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    Raw count("SELECT count(*) FROM \"WordTable\"");
    TPPairClock clock(state);
    for (auto _ : state)
        if (!clock.run([&] { return dm.PGetCountFromTable(W); }, [&] { return count.number(); }))
            break;
    state.SetLabel("a list's word count");
}
BENCHMARK(BM_Pair_CountWords);

void BM_Pair_ReadList(benchmark::State &state)
{
    UseBank use;
    TPdatamodule &dm = *bank().dm;
    Raw select("SELECT * FROM \"WordTable\" ORDER BY rowid");
    TPPairClock clock(state);
    for (auto _ : state) {
        const auto program = [&] {
            dm.PSelectAllFromTable(W);
            dm.PQuery.open();
            const int word = dm.PQuery.fieldIndex(K), meaning = dm.PQuery.fieldIndex(QStringLiteral("解释"));
            long long chars = 0;
            for (; !dm.PQuery.eof(); dm.PQuery.next())
                chars += dm.PQuery.fieldAt(word).size() + dm.PQuery.fieldAt(meaning).size();
            dm.PQuery.close();
            return chars;
        };
        const auto raw = [&] {
            long long chars = 0;
            while (sqlite3_step(select.st()) == SQLITE_ROW)
                for (int c : {1, 3}) {
                    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(select.st(), c));
                    chars += QString::fromUtf8(text, sqlite3_column_bytes(select.st(), c)).size();
                }
            sqlite3_reset(select.st());
            return chars;
        };
        if (!clock.run(program, raw))
            break;
    }
    state.SetLabel("a whole list read to its end");
}
BENCHMARK(BM_Pair_ReadList)->Unit(benchmark::kMillisecond);

}  // namespace
