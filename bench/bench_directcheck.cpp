// Tick-to-memorise on a 20,000-word current list: opening the window (the list with its check
// boxes and the status line) beside a raw read of the same rows and counts, and a double-click's
// toggle of one word beside the same updates and counts made raw.

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "logfold.h"
#include "platform/clock.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "support/settle.h"
#include "tools/directcheckform.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kListWords = 20000;
using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

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

void BM_DirectCheck_Open20000(benchmark::State &state)
{
    UseTickBank use;
    TPDirectCheckForm form;
    RawCounts counts;
    Statement read("SELECT 单词,掌握类型,最近测试时间 FROM WordTable");
    Clock::duration openTime{}, rawTime{};
    qint64 runs = 0;
    bool exact = true;
    TPForm caller;  // the tool choice hands over, as it does when the learner starts the tool
    for (auto _ : state) {
        caller.Show();
        PSettleEvents();
        const int activations = form.activationCount();
        Clock::time_point t0 = Clock::now();
        caller.hide();
        form.Show();
        PSettleEvents();
        openTime += Clock::now() - t0;
        exact = exact && form.activationCount() == activations + 1 && PItemCount(form.PLVdc) == kListWords &&
                PItemAt(form.PLVdc, kListWords - 1)->checkState(0) == Qt::Unchecked;
        const QString shownStatus = form.LBHint->text();
        form.hide();
        PSettleEvents();

        t0 = Clock::now();
        QStringList words, masters, dates;
        words.reserve(kListWords);
        masters.reserve(kListWords);
        dates.reserve(kListWords);
        const auto text = [&read](int c) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(read.st, c)),
                                     sqlite3_column_bytes(read.st, c));
        };
        while (sqlite3_step(read.st) == SQLITE_ROW) {
            words << text(0);
            masters << text(1);
            dates << text(2);
        }
        sqlite3_reset(read.st);
        const QString rawStatus = counts.text();
        rawTime += Clock::now() - t0;
        exact = exact && words.size() == kListWords && rawStatus == shownStatus;
        ++runs;
    }
    if (!exact)
        state.SkipWithError("the window or the raw read did not hold every word and the same counts");
    state.counters["open_ms"] = seconds(openTime) * 1000 / double(runs);
    state.counters["raw_read_ms"] = seconds(rawTime) * 1000 / double(runs);
    state.counters["x_raw_read"] = seconds(openTime) / seconds(rawTime);
}
BENCHMARK(BM_DirectCheck_Open20000)->Unit(benchmark::kMillisecond)->Iterations(30);

// One word toggled mastered and back, as a double-click does (updates in one transaction, then
// the counts), beside the same statements prepared once and run raw.
void BM_DirectCheck_ToggleOneWordOf20000(benchmark::State &state)
{
    UseTickBank use;
    TPDirectCheckForm form;
    form.Show();
    PSettleEvents();
    RawCounts counts;
    Statement setMaster("UPDATE WordTable SET 掌握类型=? WHERE 单词=?");
    Statement setDate("UPDATE WordTable SET 最近测试时间=? WHERE 单词=?");
    sqlite3 *db = tickBank().dm->PConnection.handle();
    const int row = 4;  // typed "00" when the window opened
    // The raw side toggles a twin typed alike: rewriting a row with the bytes it already holds is
    // skipped by SQLite, so the raw side must change a row of its own to do the same writes.
    int twin = row + 1;
    while (PSubItem(PItemAt(form.PLVdc, twin), 0) != PSubItem(PItemAt(form.PLVdc, row), 0))
        ++twin;
    const QByteArray word = PCaption(PItemAt(form.PLVdc, twin)).toUtf8();
    const int total = counts.total.count();
    const QByteArray today = PTodayText().toUtf8();
    Clock::duration toggleTime{}, rawTime{};
    qint64 runs = 0;
    bool exact = true;
    TPLogFoldsOutsideTheClock log(db);
    for (auto _ : state) {
        const bool mastering = PSubItem(PItemAt(form.PLVdc, row), 0) != Code::Master11;
        Clock::time_point t0 = Clock::now();
        form.PLVdcSelectItem(row);
        form.PLVdcDblClick();
        toggleTime += Clock::now() - t0;
        exact = exact && (PSubItem(PItemAt(form.PLVdc, row), 0) == Code::Master11) == mastering;

        // The same statements on the twin, run raw.
        const QByteArray master = mastering ? "11" : "00";
        t0 = Clock::now();
        int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        if (mastering) {
            sqlite3_bind_text(setDate.st, 1, today.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_text(setDate.st, 2, word.constData(), -1, SQLITE_STATIC);
            rc |= sqlite3_step(setDate.st) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
            sqlite3_reset(setDate.st);
        }
        sqlite3_bind_text(setMaster.st, 1, master.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(setMaster.st, 2, word.constData(), -1, SQLITE_STATIC);
        rc |= sqlite3_step(setMaster.st) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
        sqlite3_reset(setMaster.st);
        const int changed = sqlite3_changes(db);
        rc |= sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        const QString rawStatus = counts.text();
        rawTime += Clock::now() - t0;
        // The twin moves the mastered count one further than the window showed.
        const int shownMastered = form.LBHint->text().section(QStringLiteral("掌握"), 1).section(QChar(u'词'), 0, 0).toInt();
        const int rawMastered = shownMastered + (mastering ? 1 : -1);
        exact = exact && rc == SQLITE_OK && changed == 1 &&
                rawStatus == QStringLiteral("共有%1词，掌握%2词，还剩%3词，打勾0词。").arg(total).arg(rawMastered).arg(total - rawMastered) &&
                Pdatamodule->PGetOneDataFromTable(Col::MasterType, Tbl::WordTable, Col::Word,
                                                  QString::fromUtf8(word)) == QString::fromLatin1(master);
        ++runs;
        log.fold();
    }
    if (!exact)
        state.SkipWithError("the toggle or the raw update went wrong");
    state.counters["toggle_ms"] = seconds(toggleTime) * 1000 / double(runs);
    state.counters["raw_update_ms"] = seconds(rawTime) * 1000 / double(runs);
    state.counters["x_raw_update"] = seconds(toggleTime) / seconds(rawTime);
}
BENCHMARK(BM_DirectCheck_ToggleOneWordOf20000)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
