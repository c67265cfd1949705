// The study-group builder's "自动产词" in the three modes that reload its lists, on a 10,000-word
// current list, beside the same rows read, chosen and kept raw; and copying 500 ticked words into
// TempTable, beside the same inserts made raw in one transaction.

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/windowkit.h"
#include "core/grouptransfer.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "pairclock.h"
#include "platform/clock.h"
#include "platform/inifile.h"
#include "study/createform.h"

#include <QCoreApplication>
#include <QPushButton>

#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kListWords = 10000;
constexpr int kTickWords = 5000;
constexpr int kTicked = 500;


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
                                                     : PToday().addDays(-(k % 340)).toString(
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

// The builder's "自动产词" in a mode that reloads the lists, as the learner presses it: the
// candidate list refilled from the bank in date order, the rule, both lists drawn. The raw side
// reads the same columns in the same order with a statement prepared once, runs the same rule and
// keeps both lists as texts. Both sides report the chosen IDs and the candidates left.
class BenchBuilder : public TPCreateForm {
public:
    void activate() { FormActivate(); }
};

// One row's texts in one buffer: ID, 单词, 做过次数, 做错次数, 所属类别, 上次是否做对, 最近测试时间, 掌握类型.
struct RawRow {
    QString buf;
    int ends[8];
    QStringView text(int c) const
    {
        const int from = c == 0 ? 0 : ends[c - 1];
        return QStringView(buf).mid(from, ends[c] - from);
    }
};

// What a run left: the chosen IDs in order, how many candidates stayed and the first and last of
// them (the candidates keep the reloaded order).
long long groupSum(const QStringList &chosen, qsizetype candidates, const QString &first, const QString &last)
{
    const QString seen = chosen.join(QLatin1Char(',')) + QLatin1Char('|') + first + QLatin1Char('|') + last;
    return (long long)(qHash(seen) & 0xffffffffffffLL) * 1000003LL + candidates;
}

long long rawAutoCreate(sqlite3_stmt *select, const QString &mode, int n, const QString &today)
{
    std::vector<RawRow> rows;
    rows.reserve(kListWords);
    sqlite3_reset(select);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    while (sqlite3_step(select) == SQLITE_ROW) {
        RawRow &r = rows.emplace_back();
        const char *text[8];
        int bytes[8], total = 0;
        for (int c = 0; c < 8; ++c) {
            text[c] = reinterpret_cast<const char *>(sqlite3_column_text(select, c));
            bytes[c] = sqlite3_column_bytes(select, c);
            total += bytes[c];
        }
        r.buf.resize(total);  // UTF-16 never needs more units than UTF-8 has bytes
        QChar *const start = r.buf.data();
        QChar *end = start;
        for (int c = 0; c < 8; ++c) {
            end = utf8.appendToBuffer(end, QByteArrayView(text[c], bytes[c]));
            r.ends[c] = int(end - start);
        }
        r.buf.truncate(end - start);
    }
    const QString wrong = QStringLiteral("错");
    const bool errorFirst = mode == QStringLiteral("错误优先"), recentFirst = mode == QStringLiteral("最近优先");
    std::vector<char> taken(rows.size(), 0);
    QStringList chosen;
    for (qsizetype i = qsizetype(rows.size()) - 1; i >= 0 && chosen.size() < n; --i) {
        const RawRow &r = rows[size_t(i)];
        if ((errorFirst && r.text(5) != wrong) || (recentFirst && r.text(6) == today))
            continue;
        taken[size_t(i)] = 1;
        chosen << r.text(0).toString();
    }
    // The lists the learner sees: the group, and the candidates without it.
    std::vector<const RawRow *> candidates;
    candidates.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        if (!taken[i])
            candidates.push_back(&rows[i]);
    if (chosen.size() != n || candidates.empty())
        return -1;
    return groupSum(chosen, qsizetype(candidates.size()), candidates.front()->text(0).toString(), candidates.back()->text(0).toString());
}

void pairAutoCreate(benchmark::State &state, const QString &mode, bool descending)
{
    state.counters["goal"] = 1.5;
    constexpr int n = 50;
    UseStudyBank use(Tbl::WordTable);
    PConfigIni->WriteString(Ini::Main, Ini::Tool, ToolName::Spell);
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, n);
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, mode);
    BenchBuilder form;
    form.activate();
    const QString today = PDateText(PToday());
    sqlite3 *db = studyBank().dm->PConnection.handle();
    sqlite3_stmt *select = nullptr;
    const QByteArray sql = QByteArray("SELECT ID,单词,做过次数,做错次数,所属类别,上次是否做对,最近测试时间,掌握类型 "
                                      "FROM WordTable ORDER BY 最近测试时间") + (descending ? " DESC" : "");
    sqlite3_prepare_v2(db, sql.constData(), -1, &select, nullptr);

    const auto program = [&form] {
        form.Pcreatebutton->click();
        QStringList chosen;
        for (int i = 0; i < PItemCount(form.PLV2); ++i)
            chosen << PCaption(PItemAt(form.PLV2, i));
        const int left = PItemCount(form.PLV1);
        if (left == 0)
            return -1LL;
        return groupSum(chosen, left, PCaption(PItemAt(form.PLV1, 0)), PCaption(PItemAt(form.PLV1, left - 1)));
    };
    // The learner presses the button in the shown window, its lists drawn.
    form.show();
    TPPairClock clock(state);
    for (auto _ : state) {
        form.activate();  // a fresh list with an empty group, as the builder is shown; not timed
        QCoreApplication::processEvents();
        if (!clock.run(program, [&] { return rawAutoCreate(select, mode, n, today); }))
            break;
    }
    sqlite3_finalize(select);
}

void BM_Pair_StudyGroupRecentFirst(benchmark::State &state) { pairAutoCreate(state, QStringLiteral("最近优先"), false); }
void BM_Pair_StudyGroupErrorFirst(benchmark::State &state) { pairAutoCreate(state, QStringLiteral("错误优先"), false); }
void BM_Pair_StudyGroupOldestFirst(benchmark::State &state) { pairAutoCreate(state, QStringLiteral("最远优先"), true); }
BENCHMARK(BM_Pair_StudyGroupRecentFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pair_StudyGroupErrorFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pair_StudyGroupOldestFirst)->Unit(benchmark::kMillisecond);

// 500 ticked words of a 5,000-word list copied into TempTable, beside the same statements run raw
// in one transaction, the sides in turn on CPU time. TempTable holds the 500 words before each side,
// so each side empties 500 rows and adds 500: the rows it changed are what it reports.
void BM_Pair_MoveCheckedToTempTable500(benchmark::State &state)
{
    UseStudyBank use(QStringLiteral("Ticks"));
    std::unique_ptr<QTreeWidget> ticks(PMakeReportView(nullptr, QStringLiteral("ticks"), {TPColumn{}}, true));
    QStringList ticked;
    for (int i = 0; i < kTickWords; ++i) {
        const bool tick = i % (kTickWords / kTicked) == 0;
        PAddItem(ticks.get(), QStringLiteral("word%1").arg(i))->setCheckState(0, tick ? Qt::Checked : Qt::Unchecked);
        if (tick)
            ticked << QStringLiteral("word%1").arg(i);
    }
    std::vector<QByteArray> words;
    for (const QString &w : ticked)
        words.push_back(w.toUtf8());
    sqlite3 *db = studyBank().dm->PConnection.handle();
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TempTable SELECT * FROM Ticks WHERE 单词=?", -1, &insert, nullptr);
    const auto tempWords = [db] {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT 单词 FROM TempTable ORDER BY rowid", -1, &st, nullptr);
        QStringList out;
        while (sqlite3_step(st) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return out;
    };
    const auto changedBy = [db](auto &&Side) {
        const long long before = sqlite3_total_changes64(db);
        return Side() ? sqlite3_total_changes64(db) - before : -1;
    };
    PMoveCheckedToTempTable(ticks.get());
    TPPairClock clock(state);
    for (auto _ : state) {
        const auto program = [&] { return changedBy([&] { return PMoveCheckedToTempTable(ticks.get()); }); };
        const auto raw = [&] {
            return changedBy([&] {
                int rc = sqlite3_exec(db, "BEGIN; DELETE FROM TempTable;", nullptr, nullptr, nullptr);
                for (const QByteArray &w : words) {
                    sqlite3_bind_text(insert, 1, w.constData(), int(w.size()), SQLITE_STATIC);
                    rc |= sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
                    sqlite3_reset(insert);
                }
                rc |= sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
                return rc == SQLITE_OK;
            });
        };
        if (!clock.run(program, raw))
            break;
    }
    sqlite3_finalize(insert);
    if (tempWords() != ticked)
        state.SkipWithError("TempTable did not receive the ticked words");
}
BENCHMARK(BM_Pair_MoveCheckedToTempTable500)->Unit(benchmark::kMillisecond);

}  // namespace
