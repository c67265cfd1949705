// Word-book import: reading exports of either layout, and the whole import (file read, list filled,
// words stored) of 10,000 and 100,000 words into an empty list and into a list that already holds
// every word, each paired with the same work done with raw SQLite.

#include "core/datamodule.h"
#include "core/wordbookimport.h"
#include "platform/inifile.h"
#include "support/scripteddialogs.h"
#include "services/phonetic.h"
#include "pairclock.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <sqlite3.h>
#include <vector>

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
        for (const char *t : {"EmptyList", "FloorList"})
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

// ---------------------------------------------------------------- the import paired with raw SQLite

// An export of n words in the first layout, and a list holding every one of them.
struct SizedExport {
    QString file;
    QString fullList;
};

const SizedExport &sizedExport(int n)
{
    static std::map<int, SizedExport> made;
    auto it = made.find(n);
    if (it != made.end())
        return it->second;
    SizedExport e;
    e.file = bank().programDir + QStringLiteral("kingsoft%1.txt").arg(n);
    e.fullList = QStringLiteral("Full%1").arg(n);
    QString text;
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("+%1\r\n&wɜːd%2\r\n\\n. 单词，第%2个\\\r\n").arg(wordAt(i)).arg(i);
    writeFile(e.file, text, "GB18030");
    bank().dm->PCreateNewWordTable(QStringLiteral("WordTable"), e.fullList, QString());
    QTreeWidget list;
    bank().read(list, e.file, PWordBookLayoutKingsoft);
    PStoreImportedWords(&list, e.fullList);
    return made.emplace(n, e).first->second;
}

// The raw side's own reading of an export in the first layout: one pass over the decoded text by
// pointer; a "+" line opens a word, "&" gives its phonetic and "\\" its meaning (backslashes
// dropped); any other line, or a line before the first word, is passed over.
struct RawEntry {
    QStringView word, phonetic;  // into the text read
    QString meaning;
};

std::vector<RawEntry> rawEntries(const QString &Text)
{
    std::vector<RawEntry> entries;
    const char16_t *p = reinterpret_cast<const char16_t *>(Text.constData());
    const char16_t *const end = p + Text.size();
    bool open = false;  // a word line with a word came last
    while (p < end) {
        const char16_t *eol = std::find(p, end, u'\n');
        const char16_t *last = eol;
        if (last > p && last[-1] == u'\r')
            --last;
        if (last > p) {
            const char16_t mark = *p;
            const QStringView rest(p + 1, last - p - 1);
            if (mark == u'+') {
                open = !rest.trimmed().isEmpty();
                if (open)
                    entries.push_back({rest, QStringView(), QString()});
            } else if (open && mark == u'&') {
                entries.back().phonetic = rest;
            } else if (open && mark == u'\\') {
                QString &meaning = entries.back().meaning;
                meaning.resize(rest.size());
                QChar *out = meaning.data();
                for (const QChar c : rest)
                    if (c != u'\\')
                        *out++ = c;
                meaning.truncate(out - meaning.constData());
            }
        }
        p = eol + 1;
    }
    return entries;
}

// The raw side: the file read and decoded, read by rawEntries, each new word one prepared insert
// numbered as the layer numbers a new row, one transaction; on re-import the list's words read
// once into a set folded as the bank compares them.
long long rawImport(const QString &file, const char *table, bool knownFirst)
{
    sqlite3 *db = bank().dm->PConnection.handle();
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QStringDecoder("GB18030").decode(f.readAll());
    const std::vector<RawEntry> entries = rawEntries(text);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    QSet<QString> known;
    if (knownFirst) {
        sqlite3_stmt *st = nullptr;
        const QByteArray sql = QByteArray("SELECT 单词 FROM ") + table;
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            known.insert(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)),
                                           sqlite3_column_bytes(st, 0))
                             .toCaseFolded());
        sqlite3_finalize(st);
    }
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = QByteArray("INSERT INTO ") + table +
                           "(ID,单词,音标,解释,联想,详解,例句,做过次数,做错次数,经验点数,所属类别,上次是否做对,最近测试时间,"
                           "掌握类型) VALUES((SELECT seed FROM lxb_counters WHERE tbl='" +
                           table + "')+1,?,?,?,'','','',0,0,10,'未知','',?,'')";
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    const QByteArray today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    long long inserted = 0;
    bool failed = false;
    for (const RawEntry &e : entries) {
        const QString word = e.word.toString();
        const QString folded = word.toCaseFolded();
        if (known.contains(folded))
            continue;
        const QByteArray w = word.toUtf8(), p = e.phonetic.toUtf8(), m = e.meaning.toUtf8();
        sqlite3_bind_text(st, 1, w.constData(), int(w.size()), SQLITE_STATIC);
        sqlite3_bind_text(st, 2, p.constData(), int(p.size()), SQLITE_STATIC);
        sqlite3_bind_text(st, 3, m.constData(), int(m.size()), SQLITE_STATIC);
        sqlite3_bind_text(st, 4, today.constData(), int(today.size()), SQLITE_STATIC);
        failed = failed || sqlite3_step(st) != SQLITE_DONE;
        sqlite3_reset(st);
        known.insert(folded);
        ++inserted;
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return failed ? -1 : inserted;
}

// Every row of a list in stored order, but for its ID.
QByteArray contents(const char *t)
{
    const QByteArray sql = QByteArray("SELECT group_concat(单词||'|'||音标||'|'||解释||'|'||所属类别||'|'||经验点数||'|'||"
                                      "最近测试时间, char(10)) FROM (SELECT * FROM ") + t + " ORDER BY rowid)";
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(bank().dm->PConnection.handle(), sql.constData(), -1, &st, nullptr);
    QByteArray out;
    if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
        out = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}

// The import as the window runs it, from the file to the stored words: into an empty list, or
// again into a list that already holds every word.
void pairImport(benchmark::State &state, bool again)
{
    state.counters["goal"] = 2.0;
    UseBank use;
    const int n = int(state.range(0));
    const SizedExport &e = sizedExport(n);
    PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), PWordBookLayoutKingsoft);
    sqlite3 *db = bank().dm->PConnection.handle();
    TPPairClock clock(state);
    for (auto _ : state) {
        state.PauseTiming();
        emptyTable("EmptyList");
        emptyTable("FloorList");
        if (again) {
            for (const char *t : {"EmptyList", "FloorList"}) {
                const QByteArray sql = QByteArray("INSERT INTO ") + t + " SELECT * FROM Full" + QByteArray::number(n) +
                                       " ORDER BY rowid";
                sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
            }
        }
        sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
        ScriptedDialogs quiet;
        quiet.answerFile(e.file);
        QTreeWidget list;
        state.ResumeTiming();
        const bool same = clock.run(
            [&] {
                const long long before = sqlite3_total_changes(db);
                if (!PImportWordBookText(&list, bank().dm->OpenDialog1) || list.topLevelItemCount() != n)
                    return -1LL;
                PStoreImportedWords(&list, QStringLiteral("EmptyList"));
                return sqlite3_total_changes(db) - before;
            },
            [&] {
                const long long before = sqlite3_total_changes(db);
                return rawImport(e.file, "FloorList", again) >= 0 ? sqlite3_total_changes(db) - before : -1;
            });
        state.PauseTiming();
        if (!same)
            break;
        const QByteArray stored = contents("EmptyList");
        if (stored != contents("FloorList") || stored.count('\n') + 1 != n) {
            state.SkipWithError("the program and the raw side stored different words");
            break;
        }
        state.ResumeTiming();
    }
    emptyTable("EmptyList");
    emptyTable("FloorList");
}

void BM_Pair_WordBookImport(benchmark::State &state) { pairImport(state, false); }
void BM_Pair_WordBookReimport(benchmark::State &state) { pairImport(state, true); }
BENCHMARK(BM_Pair_WordBookImport)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pair_WordBookImport)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pair_WordBookReimport)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pair_WordBookReimport)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
