// Tick-to-memorise on a 20,000-word current list, each figure's two sides in turn: opening the
// window beside the same rows read raw with the same counts, and a double-click's toggle of one
// word beside the same update and counts made raw.

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "logfold.h"
#include "pairclock.h"
#include "platform/clock.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "support/settle.h"
#include "tools/directcheckform.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

namespace DC = ModeCol::DirectCheckForm;
constexpr int kListWords = 20000;

struct TickBank {
    QTemporaryDir dir;
    std::unique_ptr<ScriptedDialogs> quiet = std::make_unique<ScriptedDialogs>();
    std::unique_ptr<TPdatamodule> dm;

    TickBank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        TPdatamodule *previous = Pdatamodule;
        dm = std::make_unique<TPdatamodule>(dir.path(), QStringList{path});
        Pdatamodule = dm.get();
        PEnsureUserRow();
        sqlite3 *db = dm->PConnection.handle();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO WordTable (ID,单词,解释,做过次数,做错次数,经验点数,所属类别,最近测试时间,"
                           "掌握类型) VALUES (?,?,?,0,0,10,'基本词',?,?)",
                           -1, &st, nullptr);
        const char *masters[] = {"00", "01", "10", "11"};
        for (int i = 0; i < kListWords; ++i) {
            const QByteArray word = "word" + QByteArray::number((qint64(i) * 7919) % kListWords);
            const QByteArray meaning = "n. 意思" + QByteArray::number(i);
            sqlite3_bind_int(st, 1, i + 1);
            sqlite3_bind_text(st, 2, word.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, meaning.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 4, i % 3 ? "2026-11-30" : "2000-01-01", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 5, masters[i % 4], -1, SQLITE_STATIC);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        PSetCurrentTable(Tbl::WordTable);
        Pdatamodule = previous ? previous : dm.get();
    }
};

TickBank &tickBank()
{
    static TickBank b;
    return b;
}

struct UseTickBank {
    TPdatamodule *previous = Pdatamodule;
    QString previousList = PCurrentTable;
    UseTickBank()
    {
        Pdatamodule = tickBank().dm.get();
        PCurrentTable = Tbl::WordTable;
    }
    ~UseTickBank()
    {
        Pdatamodule = previous;
        PCurrentTable = previousList;
    }
};

struct Statement {
    sqlite3_stmt *st = nullptr;
    explicit Statement(const char *sql) { sqlite3_prepare_v2(tickBank().dm->PConnection.handle(), sql, -1, &st, nullptr); }
    ~Statement() { sqlite3_finalize(st); }
    int count()
    {
        const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_reset(st);
        return n;
    }
};

// The window's counts, made raw: all words, and the mastered ones.
struct RawCounts {
    Statement total{"SELECT count(*) FROM WordTable"};
    Statement mastered{"SELECT count(*) FROM WordTable WHERE 掌握类型=?"};
    QString text()
    {
        sqlite3_bind_text(mastered.st, 1, "11", -1, SQLITE_STATIC);
        const int t = total.count(), m = mastered.count();
        return QStringLiteral("共有%1词，掌握%2词，还剩%3词，打勾0词。").arg(t).arg(m).arg(t - m);
    }
};

// A checksum of what a side shows: the rows and the status line.
long long shown(int Rows, const QString &Status) { return (long long)(Rows) * 1000003LL + qHash(Status); }

// The raw side's rows: the three columns a list shows, read into texts.
struct RawRows {
    QStringList words, masters, dates;
    void clear()
    {
        words.clear();
        masters.clear();
        dates.clear();
    }
};

// Opening the window as the tool choice hands over (the list with its check boxes, the list chooser
// and the status line), beside its floor: the same three columns of every row read raw into texts,
// and the same counts. Each side keeps its rows while open and lets them go outside the clock.
void BM_Pair_DirectCheckOpen20000(benchmark::State &state)
{
    UseTickBank use;
    TPDirectCheckForm form;
    RawCounts counts;
    Statement read("SELECT 单词,掌握类型,最近测试时间 FROM WordTable");
    RawRows raw;
    TPForm caller;  // the tool choice hands over, as it does when the learner starts the tool
    TPPairClock pair(state);
    state.counters["goal"] = 1.5;
    const auto text = [&read](int c) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(read.st, c)),
                                 sqlite3_column_bytes(read.st, c));
    };
    for (auto _ : state) {
        caller.Show();
        PSettleEvents();
        int opened = 0;
        const bool same = pair.run(
            [&] {
                caller.hide();
                form.Show();
                PSettleEvents();
                opened = form.PLVdc->model()->rowCount();
                return shown(opened, form.LBHint->text());
            },
            [&] {
                raw.words.reserve(kListWords);
                raw.masters.reserve(kListWords);
                raw.dates.reserve(kListWords);
                while (sqlite3_step(read.st) == SQLITE_ROW) {
                    raw.words << text(0);
                    raw.masters << text(1);
                    raw.dates << text(2);
                }
                sqlite3_reset(read.st);
                return shown(int(raw.words.size()), counts.text());
            });
        form.hide();
        raw.clear();
        PSettleEvents();
        if (!same || opened != kListWords)
            break;
    }
}
BENCHMARK(BM_Pair_DirectCheckOpen20000)->Unit(benchmark::kMillisecond)->Iterations(20);

// One word toggled mastered and back, as a double-click does (its fields in one update, then the
// counts), beside the same update prepared once and the counts run raw, on a twin word typed alike.
void BM_Pair_DirectCheckToggleOneWordOf20000(benchmark::State &state)
{
    UseTickBank use;
    TPDirectCheckForm form;
    form.Show();
    PSettleEvents();
    RawCounts counts;
    Statement master("UPDATE WordTable SET 掌握类型=? WHERE 单词=?");
    Statement masterAndDate("UPDATE WordTable SET 最近测试时间=?,掌握类型=? WHERE 单词=?");
    sqlite3 *db = tickBank().dm->PConnection.handle();
    const auto shownAt = [&form](int Row, int Column) {
        return form.PLVdc->model()->index(Row, Column).data().toString();
    };
    const int row = 4;  // typed "00" when the window opened
    // The raw side toggles a twin typed alike: rewriting a row with the bytes it already holds is
    // skipped by SQLite, so the raw side must change a row of its own to do the same writes.
    int twin = row + 1;
    while (shownAt(twin, DC::MasterType) != shownAt(row, DC::MasterType))
        ++twin;
    const QByteArray word = shownAt(twin, DC::Word).toUtf8();
    const QByteArray today = PTodayText().toUtf8();
    bool rawMastered = false;
    TPLogFoldsOutsideTheClock log(db);
    TPPairClock pair(state);
    for (auto _ : state) {
        const bool mastering = shownAt(row, DC::MasterType) != Code::Master11;
        // Each side returns the mastered count it sees less the word and the twin as they stand then:
        // the same whichever side ran first.
        const auto rowMastered = [&] { return shownAt(row, DC::MasterType) == Code::Master11 ? 1 : 0; };
        const bool same = pair.run(
            [&] {
                form.PLVdcDblClick(row);
                const int m = form.LBHint->text().section(QStringLiteral("掌握"), 1).section(QChar(u'词'), 0, 0).toInt();
                return m - rowMastered() - (rawMastered ? 1 : 0);
            },
            [&] {
                int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                Statement &st = mastering ? masterAndDate : master;
                int at = 1;
                if (mastering)
                    sqlite3_bind_text(st.st, at++, today.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_text(st.st, at++, mastering ? "11" : "00", -1, SQLITE_STATIC);
                sqlite3_bind_text(st.st, at, word.constData(), -1, SQLITE_STATIC);
                rc |= sqlite3_step(st.st) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
                sqlite3_reset(st.st);
                const int changed = sqlite3_changes(db);
                rc |= sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
                rawMastered = mastering;
                const QString status = counts.text();
                const int m = status.section(QStringLiteral("掌握"), 1).section(QChar(u'词'), 0, 0).toInt();
                return rc == SQLITE_OK && changed == 1 ? m - rowMastered() - (rawMastered ? 1 : 0) : -1;
            });
        log.fold();
        if (!same)
            break;
        if ((shownAt(row, DC::MasterType) == Code::Master11) != mastering) {
            state.SkipWithError("the double-click did not toggle the word");
            break;
        }
    }
}
BENCHMARK(BM_Pair_DirectCheckToggleOneWordOf20000)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
