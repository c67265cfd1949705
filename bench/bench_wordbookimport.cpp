// Word-book import of a 10,000-word export: reading it, storing it into an empty list and into a
// list that already holds every word, against raw SQLite inserting the same rows in one
// transaction (the floor).

#include "core/datamodule.h"
#include "core/wordbookimport.h"
#include "platform/inifile.h"
#include "support/scripteddialogs.h"
#include "services/phonetic.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kWords = 10000;
constexpr int kPhonetics = 50000;

QString wordAt(int i) { return QStringLiteral("word%1").arg(i); }

void writeFile(const QString &path, const QString &text, const char *encoding)
{
    QStringEncoder enc(encoding);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(enc.encode(text));
}

// A bank of its own with the empty lists the benchmarks fill, one full list, and the exports.
struct Bank {
    QTemporaryDir dir;
    QString programDir;
    QString kingsoftExport;
    QString googleExport;
    std::unique_ptr<TPdatamodule> dm;

    Bank()
    {
        programDir = dir.path() + QLatin1Char('/');
        const QString path = programDir + QStringLiteral("EnglishWord.lxb");
        JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
        TPdatamodule *previous = Pdatamodule;
        ScriptedDialogs quiet;
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{path});
        dm->PQuery.setSql(QStringLiteral(
            "create table WordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),音标 string(50),解释 "
            "string(250),联想 string(100),详解 memo,例句 memo,做过次数 integer,做错次数 integer,经验点数 "
            "integer,所属类别 string(250),上次是否做对 string(50),最近测试时间 string(50),掌握类型 string(50))"));
        dm->PQuery.execSql();
        for (const char *t : {"EmptyList", "FullList", "FloorList"})
            dm->PCreateNewWordTable(QStringLiteral("WordTable"), QString::fromLatin1(t), QString());

        QString kingsoft, google, phonetics;
        for (int i = 0; i < kWords; ++i) {
            kingsoft += QStringLiteral("+%1\r\n&wɜːd%2\r\n\\n. 单词，第%2个\\\r\n").arg(wordAt(i)).arg(i);
            google += QStringLiteral("+%1\r\n#n. 单词，第%2个\r\n").arg(wordAt(i)).arg(i);
        }
        for (int i = 0; i < kPhonetics; ++i)
            phonetics += QStringLiteral("%1|wɜːd%2\n").arg(wordAt(kPhonetics - 1 - i)).arg(i);
        kingsoftExport = programDir + QStringLiteral("kingsoft.txt");
        googleExport = programDir + QStringLiteral("google.txt");
        writeFile(kingsoftExport, kingsoft, "GB18030");
        writeFile(googleExport, google, "GB18030");
        writeFile(programDir + QStringLiteral("WordPron.dat"), phonetics, "UTF-8");

        QTreeWidget list;
        read(list, kingsoftExport, PWordBookLayoutKingsoft);
        PStoreImportedWords(&list, QStringLiteral("FullList"));
        Pdatamodule = previous;
    }

    void read(QTreeWidget &list, const QString &file, const QString &layout)
    {
        PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), layout);
        ScriptedDialogs quiet;
        quiet.answerFile(file);
        PImportWordBookText(&list, dm->OpenDialog1);
    }
};

Bank &bank()
{
    static Bank b;
    return b;
}

// Points the program's globals at this bank for one benchmark (other benchmarks keep banks too).
class UseBank {
public:
    // The bank is made first: making it replaces the settings object.
    UseBank() : m_bank(bank()), m_dm(Pdatamodule), m_dir(PProgramDir), m_ini(PConfigIni)
    {
        Pdatamodule = bank().dm.get();
        PProgramDir = bank().programDir;
        m_own = std::make_unique<TIniFile>(bank().programDir + QStringLiteral("config.ini"));
        PConfigIni = m_own.get();
    }
    ~UseBank()
    {
        Pdatamodule = m_dm;
        PProgramDir = m_dir;
        PConfigIni = m_ini;
    }

private:
    Bank &m_bank;
    TPdatamodule *m_dm;
    QString m_dir;
    TIniFile *m_ini;
    std::unique_ptr<TIniFile> m_own;
};

void emptyTable(const char *t)
{
    const QByteArray sql = QByteArray("DELETE FROM ") + t;
    sqlite3_exec(bank().dm->PConnection.handle(), sql.constData(), nullptr, nullptr, nullptr);
}

void BM_WordBook_ReadKingsoftExport(benchmark::State &state)
{
    UseBank use;
    QTreeWidget list;
    for (auto _ : state)
        bank().read(list, bank().kingsoftExport, PWordBookLayoutKingsoft);
    state.counters["words"] = list.topLevelItemCount();
}
BENCHMARK(BM_WordBook_ReadKingsoftExport)->Unit(benchmark::kMillisecond);

// Each word's phonetic comes from a 50,000-line phonetic file.
void BM_WordBook_ReadGoogleExport(benchmark::State &state)
{
    UseBank use;
    QTreeWidget list;
    for (auto _ : state)
        bank().read(list, bank().googleExport, PWordBookLayoutGoogle);
    state.counters["words"] = list.topLevelItemCount();
}
BENCHMARK(BM_WordBook_ReadGoogleExport)->Unit(benchmark::kMillisecond);

// One look-up on its own in the same file, the file unchanged since the last look-up.
void BM_WordBook_SinglePhoneticLookUp(benchmark::State &state)
{
    UseBank use;
    for (auto _ : state) {
        QString phonetic;
        PLookupPhonetic(wordAt(kWords / 2), phonetic);
        benchmark::DoNotOptimize(phonetic);
    }
}
BENCHMARK(BM_WordBook_SinglePhoneticLookUp)->Unit(benchmark::kMillisecond);

// The store as the import window runs it: the known-word check, a savepoint per word (a failing
// word leaves nothing), one transaction round the whole.
void BM_Layer_WordBookStoreIntoEmptyList(benchmark::State &state)
{
    UseBank use;
    QTreeWidget list;
    bank().read(list, bank().kingsoftExport, PWordBookLayoutKingsoft);
    for (auto _ : state) {
        state.PauseTiming();
        emptyTable("EmptyList");
        state.ResumeTiming();
        PStoreImportedWords(&list, QStringLiteral("EmptyList"));
    }
    const int rows = bank().dm->PGetCountFromTable(QStringLiteral("EmptyList"));
    state.counters["rows"] = rows;
    if (rows != kWords)
        state.SkipWithError("words went missing");
    emptyTable("EmptyList");
}
BENCHMARK(BM_Layer_WordBookStoreIntoEmptyList)->Unit(benchmark::kMillisecond);

void BM_WordBook_StoreIntoListHoldingEveryWord(benchmark::State &state)
{
    UseBank use;
    QTreeWidget list;
    bank().read(list, bank().kingsoftExport, PWordBookLayoutKingsoft);
    for (auto _ : state)
        PStoreImportedWords(&list, QStringLiteral("FullList"));
    state.counters["rows"] = bank().dm->PGetCountFromTable(QStringLiteral("FullList"));
}
BENCHMARK(BM_WordBook_StoreIntoListHoldingEveryWord)->Unit(benchmark::kMillisecond);

// The floor: the same 10,000 finished rows, one prepared insert each numbered as the layer numbers
// a new row, one transaction.
void BM_Raw_WordBookStoreIntoEmptyList(benchmark::State &state)
{
    UseBank use;
    QTreeWidget list;
    bank().read(list, bank().kingsoftExport, PWordBookLayoutKingsoft);
    sqlite3 *db = bank().dm->PConnection.handle();
    for (auto _ : state) {
        state.PauseTiming();
        emptyTable("FloorList");
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO FloorList(ID,单词,音标,解释,联想,详解,例句,做过次数,做错次数,经验点数,所属类别,"
                           "上次是否做对,最近测试时间,掌握类型) VALUES((SELECT seed FROM lxb_counters WHERE "
                           "tbl='FloorList')+1,?,?,?,'','','',0,0,10,'未知','',?,'')",
                           -1, &st, nullptr);
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list.topLevelItem(i);
            const QByteArray w = item->text(0).toUtf8(), p = item->text(2).toUtf8(), m = item->text(1).toUtf8();
            sqlite3_bind_text(st, 1, w.constData(), int(w.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, p.constData(), int(p.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, m.constData(), int(m.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 4, "2026-01-01", -1, SQLITE_STATIC);
            if (sqlite3_step(st) != SQLITE_DONE)
                state.SkipWithError(sqlite3_errmsg(db));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    const int rows = bank().dm->PGetCountFromTable(QStringLiteral("FloorList"));
    state.counters["rows"] = rows;
    if (rows != kWords)
        state.SkipWithError("words went missing");
    emptyTable("FloorList");
}
BENCHMARK(BM_Raw_WordBookStoreIntoEmptyList)->Unit(benchmark::kMillisecond);

}  // namespace
