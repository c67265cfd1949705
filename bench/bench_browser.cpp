// The word browser on a 500-word study group: opening it (its list filled and sorted, the first
// word shown) and saving a word, each beside the same reads or updates made on SQLite alone, the
// sides in turn on CPU time (TPPairClock).

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordrecords.h"
#include "logfold.h"
#include "pairclock.h"
#include "services/richtext.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "tools/browseform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kGroupWords = 500;

struct GroupBank {
    QTemporaryDir dir;
    ScriptedDialogs quiet;
    std::unique_ptr<TPdatamodule> dm;

    GroupBank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        TPdatamodule *previous = Pdatamodule;
        dm = std::make_unique<TPdatamodule>(dir.path() + QLatin1Char('/'), QStringList{path});
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kGroupWords; ++i) {
            const int k = (i * 7919) % kGroupWords;
            PInsertWordRecord(Tbl::WordTable, Col::Word, Col::Phonetic, Col::Explanation, Col::Association,
                              Col::Details, Col::Example, Col::Category, QStringLiteral("word%1").arg(k),
                              QStringLiteral("wɜːd"), QStringLiteral("n. 词%1").arg(k), QStringLiteral("联想"),
                              QStringLiteral("详解\n第二行"), QStringLiteral("A sentence.\n一个句子。"),
                              PStandardCategories().at(k % 4));
            dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::Word, Col::LastRight, QStringLiteral("word%1").arg(k),
                                        k % 3 ? Code::Right : Code::Wrong);
        }
        t.commit();
        dm->PMoveAll(Tbl::WordTable, Tbl::TempTable);
        PEnsureUserRow();
        PSetCurrentTable(Tbl::WordTable);
        Pdatamodule = previous ? previous : dm.get();
    }
};

GroupBank &groupBank()
{
    static GroupBank b;
    return b;
}

struct UseGroupBank {
    TPdatamodule *previous = Pdatamodule;
    UseGroupBank() { Pdatamodule = groupBank().dm.get(); }
    ~UseGroupBank() { Pdatamodule = previous; }
};

// Reads every row of one statement into texts; the number of rows.
int readAll(sqlite3_stmt *st, int columns, qsizetype &chars)
{
    int rows = 0;
    sqlite3_reset(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c)
            chars += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                       sqlite3_column_bytes(st, c))
                         .size();
    }
    return rows;
}

void BM_Pair_BrowserOpenOn500Words(benchmark::State &state)
{
    UseGroupBank use;
    TPbrowseform form;
    form.CheckBox1->setChecked(false);
    sqlite3 *db = groupBank().dm->PConnection.handle();
    const char *const list = "SELECT ID,单词,解释,做过次数,做错次数,经验点数,所属类别,上次是否做对,掌握类型 FROM TempTable "
                             "ORDER BY 上次是否做对";
    sqlite3_stmt *sList = nullptr, *sWord = nullptr;
    sqlite3_prepare_v2(db, list, -1, &sList, nullptr);
    sqlite3_prepare_v2(db, "SELECT * FROM TempTable WHERE 单词=?", -1, &sWord, nullptr);
    TPPairClock clock(state);
    for (auto _ : state) {
        // Each side reports the rows of the list and the first word's row, shown.
        const auto program = [&] {
            form.FormActivate();
            PItemAt(form.PListView, 0)->setSelected(true);
            return PItemCount(form.PListView) + (form.Edit2->text().isEmpty() ? 0 : 1);
        };
        const auto raw = [&] {
            qsizetype chars = 0;
            const int rows = readAll(sList, 9, chars);
            const QByteArray word = PSubItem(PItemAt(form.PListView, 0), 0).toUtf8();
            sqlite3_reset(sWord);
            sqlite3_bind_text(sWord, 1, word.constData(), int(word.size()), SQLITE_TRANSIENT);
            benchmark::DoNotOptimize(chars);
            return rows + readAll(sWord, 14, chars);
        };
        if (!clock.run(program, raw))
            break;
    }
    sqlite3_finalize(sList);
    sqlite3_finalize(sWord);
}
BENCHMARK(BM_Pair_BrowserOpenOn500Words)->Unit(benchmark::kMillisecond);

// The raw side makes the same texts from the same boxes (the sentences' rich-text source as the
// edit writes it, the details' plain text) and writes them to both tables in one transaction with
// statements prepared once. Each side writes a meaning of its own, of the same length, so neither
// rewrites a row with the bytes it already holds.
void BM_Pair_BrowserSaveOverRawUpdates(benchmark::State &state)
{
    UseGroupBank use;
    TPbrowseform form;
    form.CheckBox1->setChecked(false);
    form.FormActivate();
    PItemAt(form.PListView, 0)->setSelected(true);
    const QByteArray word = form.Edit1->text().toUtf8();
    sqlite3 *db = groupBank().dm->PConnection.handle();
    sqlite3_stmt *st[2] = {};
    const char *const tables[2] = {"WordTable", "TempTable"};
    for (int i = 0; i < 2; ++i)
        sqlite3_prepare_v2(db,
                           (QStringLiteral("UPDATE ") + QLatin1String(tables[i]) +
                            QStringLiteral(" SET 音标=?,解释=?,联想=?,详解=?,例句=?,所属类别=? WHERE 单词=?"))
                               .toUtf8()
                               .constData(),
                           -1, &st[i], nullptr);
    int n = 0;
    TPLogFoldsOutsideTheClock log(db);
    {
        TPPairClock pair(state);
        for (auto _ : state) {
            ++n;
            form.Edit2->setText(QStringLiteral("新义%1").arg(n));
            const QString rawMeaning = QStringLiteral("原义%1").arg(n);
            const bool same = pair.run(
                [&] {
                    const int before = sqlite3_total_changes(db);
                    return form.PSaveWordEdits() ? sqlite3_total_changes(db) - before : -1;
                },
                [&] {
                    const QByteArray values[7] = {form.Edit4->text().toUtf8(), rawMeaning.toUtf8(),
                                                  form.Edit3->text().toUtf8(), form.ReExpl->toPlainText().toUtf8(),
                                                  form.ReSent->toHtml().toUtf8(), form.Edit5->currentText().toUtf8(),
                                                  word};
                    int changed = 0;
                    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                    for (sqlite3_stmt *s : st) {
                        sqlite3_reset(s);
                        for (int v = 0; v < 7; ++v)
                            sqlite3_bind_text(s, v + 1, values[v].constData(), int(values[v].size()), SQLITE_STATIC);
                        if (sqlite3_step(s) == SQLITE_DONE)
                            changed += sqlite3_changes(db);
                    }
                    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
                    return changed;
                });
            if (!same)
                break;
            if (n % 64 == 0)
                log.fold();
        }
    }
    for (sqlite3_stmt *s : st)
        sqlite3_finalize(s);
}
BENCHMARK(BM_Pair_BrowserSaveOverRawUpdates)->Unit(benchmark::kMicrosecond);

}  // namespace

