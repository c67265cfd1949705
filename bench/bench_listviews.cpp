// Filling a "mainformDBT" list view from a 20,000-word list and sorting it by a column, beside
// its floor, the same rows read from SQLite alone into texts; the sides in turn on CPU time.

#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordrecords.h"
#include "pairclock.h"
#include "support/scripteddialogs.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kListWords = 20000;

struct ListBank {
    QTemporaryDir dir;
    std::unique_ptr<TPdatamodule> dm;

    ListBank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
        ScriptedDialogs quiet;
        TPdatamodule *previous = Pdatamodule;
        dm = std::make_unique<TPdatamodule>(dir.path(), QStringList{path});
        dm->PQuery.setSql(QStringLiteral(
            "create table WordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),音标 string(50),解释 "
            "string(250),联想 string(100),详解 memo,例句 memo,做过次数 integer,做错次数 integer,经验点数 "
            "integer,所属类别 string(250),上次是否做对 string(50),最近测试时间 string(50),掌握类型 string(50))"));
        dm->PQuery.execSql();
        const QString meanings = QStringLiteral("苹果香蕉橙子葡萄西瓜桃梨杏李枣");
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kListWords; ++i) {
            // Spread the words so that neither the spelling nor the meaning comes in sorted order.
            const int k = (i * 7919) % kListWords;
            const QString meaning = QStringLiteral("n. ") + meanings.at(k % meanings.size()) +
                                    meanings.at((k / 7) % meanings.size()) + QString::number(k);
            PInsertWordRecord(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("音标"),
                              QStringLiteral("解释"), QStringLiteral("联想"), QStringLiteral("详解"),
                              QStringLiteral("例句"), QStringLiteral("所属类别"), QStringLiteral("Word%1").arg(k),
                              QStringLiteral("/wɜːd/"), meaning, QString(), QString(), QString(),
                              QStringLiteral("基本词"));
            PUpdateWordRecord3(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("做过次数"),
                               QStringLiteral("做错次数"), QStringLiteral("经验点数"), QStringLiteral("Word%1").arg(k),
                               QString::number(k % 9), QString::number(k % 4), QStringLiteral("10"));
        }
        t.commit();
        Pdatamodule = previous ? previous : dm.get();
    }
};

ListBank &listBank()
{
    static ListBank b;
    return b;
}

// The routines reach the bank through the data module in use.
struct UseListBank {
    TPdatamodule *previous = Pdatamodule;
    UseListBank() { Pdatamodule = listBank().dm.get(); }
    ~UseListBank() { Pdatamodule = previous; }
};

// The floor: the same eight columns of every row read from SQLite into texts.
int readTheSameRows(sqlite3_stmt *st)
{
    int rows = 0;
    qsizetype chars = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < 8; ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
            chars += QString::fromUtf8(text, sqlite3_column_bytes(st, c)).size();
        }
    }
    sqlite3_reset(st);
    benchmark::DoNotOptimize(chars);
    return rows;
}

void fillAndSort(benchmark::State &state, int column)
{
    UseListBank use;
    QTreeWidget lv;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(listBank().dm->PConnection.handle(),
                       "SELECT ID,单词,解释,做过次数,做错次数,经验点数,所属类别,掌握类型 FROM WordTable ORDER BY rowid", -1,
                       &st, nullptr);
    TPPairClock clock(state);
    for (auto _ : state) {
        const auto program = [&] {
            PRefreshListView(&lv, QStringLiteral("WordTable"), QString(), 0, QStringLiteral("mainformDBT"));
            PSortListView(&lv, column);
            return lv.topLevelItemCount();
        };
        if (!clock.run(program, [st] { return readTheSameRows(st); }))
            break;
    }
    sqlite3_finalize(st);
    if (lv.topLevelItemCount() != kListWords)
        state.SkipWithError("the list view does not hold every word");
}

void BM_Pair_ListViewFillMainformDBTAndSortByWord(benchmark::State &state) { fillAndSort(state, 1); }
BENCHMARK(BM_Pair_ListViewFillMainformDBTAndSortByWord)->Unit(benchmark::kMillisecond);

void BM_Pair_ListViewFillMainformDBTAndSortByMeaning(benchmark::State &state) { fillAndSort(state, 2); }
BENCHMARK(BM_Pair_ListViewFillMainformDBTAndSortByMeaning)->Unit(benchmark::kMillisecond);

}  // namespace
