// The small dictionary's look-up across 50 lists of 2,000 words, and the bulk import of 100 words
// from a loopback word service, each against the same work done raw in the same run. Counters:
// layer_us and raw_us per operation, ratio = layer / raw (and for the look-up, search_us: the
// layer's time spent finding which list holds the word).

#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "platform/http.h"
#include "services/addresses.h"
#include "support/bankfixture.h"
#include "support/loopbackweb.h"
#include "support/scripteddialogs.h"
#include "wordlists/dictform.h"
#include "wordlists/inputformwordsvc.h"
#include "pairclock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sqlite3.h>

namespace {

constexpr int kLists = 50;  // WordTable and 49 registered lists
constexpr int kWordsPerList = 2000;
constexpr int kImportWords = 100;

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Spellings are letters only, as the dictionary looks up nothing else: digits become a to j.
QString spelling(int list, int i)
{
    QString s = QStringLiteral("w%1x%2").arg(list).arg(i);
    for (QChar &c : s)
        if (c.isDigit())
            c = QChar(u'a' + c.digitValue());
    return s;
}

QString listName(int i) { return i == 0 ? QStringLiteral("WordTable") : QStringLiteral("List%1").arg(i); }

// A statement prepared once, bound and stepped again and again. A side resets each statement as
// soon as it has read what it needs: a statement left on a row keeps its read transaction open,
// and the other side's statements would then run inside it without paying for their own.
class Prepared {
public:
    Prepared(sqlite3 *db, const QString &sql)
    {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &m_st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Prepared() { sqlite3_finalize(m_st); }
    Prepared(const Prepared &) = delete;
    Prepared &operator=(const Prepared &) = delete;
    sqlite3_stmt *bind(std::initializer_list<QByteArray> values)
    {
        sqlite3_reset(m_st);
        int i = 1;
        for (const QByteArray &v : values)
            sqlite3_bind_text(m_st, i++, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return m_st;
    }
    void reset() { sqlite3_reset(m_st); }

private:
    sqlite3_stmt *m_st = nullptr;
};

struct Bank {
    QTemporaryDir dir;
    ScriptedDialogs quiet;
    std::unique_ptr<TPdatamodule> dm;

    Bank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        dm = std::make_unique<TPdatamodule>(dir.path() + QLatin1Char('/'), QStringList{path});
        PEnsureUserRow();
        PSetCurrentTable(QStringLiteral("WordTable"));
        for (int l = 1; l < kLists; ++l)
            dm->PCreateNewWordTable(QStringLiteral("WordTable"), listName(l), QStringLiteral("addname"));
        JetTransaction t(dm->PConnection);
        for (int l = 0; l < kLists; ++l) {
            JetQuery &q = dm->PQuery;
            for (int i = 0; i < kWordsPerList; ++i) {
                q.setSql(QStringLiteral("insert into ") + listName(l) +
                         QStringLiteral("(单词,解释,例句) values(:单词,:解释,:例句)"));
                q.setParam(QStringLiteral("单词"), spelling(l, i));
                q.setParam(QStringLiteral("解释"), QStringLiteral("解释"));
                q.setParam(QStringLiteral("例句"), QStringLiteral("Sentence."));
                q.execSql();
            }
        }
        t.commit();
    }
};

void BM_DictLookupAcross50ListsOf2000_RatioToRaw(benchmark::State &state)
{
    Bank bank;
    TPDictForm form;
    sqlite3 *db = bank.dm->PConnection.handle();
    // The word lies in the last list: every list is asked.
    const QString word = spelling(kLists - 1, kWordsPerList - 1);
    const QByteArray word8 = word.toUtf8();

    Prepared inGroup(db, QStringLiteral("select count(*) from TempTable where 单词=?"));
    Prepared names(db, QStringLiteral("select 表名 from TableNameTable"));
    QList<std::shared_ptr<Prepared>> holds, reads;
    for (int l = 0; l < kLists; ++l) {
        holds << std::make_shared<Prepared>(db, QStringLiteral("select count(*) from ") + listName(l) +
                                                    QStringLiteral(" where 单词=?"));
        reads << std::make_shared<Prepared>(db, QStringLiteral("select 音标,解释,详解,例句 from ") + listName(l) +
                                                    QStringLiteral(" where 单词=?"));
    }
    auto rawLookUp = [&]() -> QString {
        sqlite3_stmt *st = inGroup.bind({word8});
        const bool studied = sqlite3_step(st) != SQLITE_ROW || sqlite3_column_int(st, 0) != 0;
        inGroup.reset();
        if (studied)
            return QString();
        QStringList lists{QStringLiteral("WordTable")};
        for (st = names.bind({}); sqlite3_step(st) == SQLITE_ROW;)
            lists << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        int found = -1;
        for (int l = 0; l < lists.size() && found < 0; ++l) {
            st = holds.at(l)->bind({word8});
            if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0)
                found = l;
            holds.at(l)->reset();
        }
        if (found < 0)
            return QString();
        st = reads.at(found)->bind({word8});
        QString meaning;
        if (sqlite3_step(st) == SQLITE_ROW)
            meaning = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1)));
        reads.at(found)->reset();
        // The move targets: every list again.
        int targets = 0;
        for (st = names.bind({}); sqlite3_step(st) == SQLITE_ROW;)
            ++targets;
        return targets == kLists - 1 ? meaning : QString();
    };

    double layer = 0, raw = 0, search = 0;
    for (auto _ : state) {
        // The learner has typed the word; the look-up starts with the search.
        form.MeWord->setText(word);
        auto t0 = Clock::now();
        form.PFindWord();
        layer += microsSince(t0);
        if (PDictFoundTable != listName(kLists - 1) || form.EdMean->text() != QStringLiteral("解释")) {
            state.SkipWithError("the layer's look-up did not find the word");
            break;
        }
        t0 = Clock::now();
        const QString foundIn = PFindWordTable(word);
        search += microsSince(t0);
        t0 = Clock::now();
        const QString meaning = rawLookUp();
        raw += microsSince(t0);
        if (meaning != QStringLiteral("解释") || foundIn != listName(kLists - 1)) {
            state.SkipWithError("the raw look-up did not find the word");
            break;
        }
    }
    const double n = double(state.iterations());
    state.counters["layer_us"] = layer / n;
    state.counters["raw_us"] = raw / n;
    state.counters["ratio"] = layer / raw;
    // The part of the layer's time spent finding the list (the data layer's keyed counts).
    state.counters["search_us"] = search / n;
}
BENCHMARK(BM_DictLookupAcross50ListsOf2000_RatioToRaw)->Unit(benchmark::kMillisecond)->Iterations(200);

// The learner's look-up of a word that the first of the 50 lists holds, from the look-up command
// to the filled window, against the least that shows the same: one prepared statement reading
// the word's row, its texts set into boxes of the same kinds (two line edits, two rich edits, the
// status label). The move targets are not refilled on that side: the window already offers the
// same lists, and careful code leaves a box that holds what it should. Words of the bank as the
// imports store them: details and examples on several plain lines. Both windows are hidden, as
// when a study tool looks a word up before it opens the dictionary; nothing paints in the clocks.
struct ShownWord {
    QString word, pron, mean, details, example;
};

QList<ShownWord> shownWords(sqlite3 *db)
{
    QList<ShownWord> words;
    Prepared update(db, QStringLiteral("update WordTable set 音标=?,解释=?,详解=?,例句=? where 单词=?"));
    for (int i = 0; i < 8; ++i) {
        ShownWord w{spelling(0, 100 + i * 37), QStringLiteral("ˈwɜːd%1").arg(i), QStringLiteral("n. 第%1个词；词语").arg(i),
                    QStringLiteral("【记】词根 w%1\n【辨】与近义词的区别在于用法。\n【搭】a word of %1").arg(i),
                    QStringLiteral("A word to learn, number %1.\n要学的第%1个词。\nAnother sentence.\n又一句。").arg(i)};
        sqlite3_step(update.bind({w.pron.toUtf8(), w.mean.toUtf8(), w.details.toUtf8(), w.example.toUtf8(),
                                  w.word.toUtf8()}));
        update.reset();
        words << w;
    }
    return words;
}

// What a window shows of a word, as a number both sides must reach.
long long shownSize(const QLineEdit *pron, const QLineEdit *mean, const QTextEdit *details, const QTextEdit *example,
                    const QLabel *hint)
{
    return pron->text().size() + mean->text().size() + details->document()->characterCount() +
           example->document()->characterCount() + hint->text().size();
}

void BM_Pair_DictLookUpFirstList(benchmark::State &state)
{
    state.SetLabel("dictionary look-up of a word in the first of 50 lists, window filled");
    state.counters["goal"] = 2.0;
    Bank bank;
    sqlite3 *db = bank.dm->PConnection.handle();
    const QList<ShownWord> words = shownWords(db);
    TPDictForm form;

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *pron = new QLineEdit(&window), *mean = new QLineEdit(&window);
    auto *details = new QTextEdit(&window), *example = new QTextEdit(&window);
    details->setAcceptRichText(false);
    auto *hint = new QLabel(&window);
    for (QWidget *w : std::initializer_list<QWidget *>{pron, mean, hint, details, example})
        layout->addWidget(w);
    window.resize(590, 371);
    Prepared read(db, QStringLiteral("select 音标,解释,详解,例句 from WordTable where 单词=? limit 1"));
    const auto column = [](sqlite3_stmt *st, int i) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    };

    TPPairClock clock(state);
    for (auto _ : state) {
        const bool same = clock.run(
            [&] {
                long long shown = 0;
                for (const ShownWord &w : words) {
                    form.MeWord->setText(w.word);
                    form.PopFind0->trigger();
                    shown += shownSize(form.EdPron, form.EdMean, form.REExpl, form.RESent, form.LBhint);
                }
                return shown;
            },
            [&] {
                long long shown = 0;
                for (const ShownWord &w : words) {
                    sqlite3_stmt *st = read.bind({w.word.toUtf8()});
                    if (sqlite3_step(st) == SQLITE_ROW) {
                        pron->setText(column(st, 0));
                        mean->setText(column(st, 1));
                        details->setPlainText(column(st, 2));
                        const QString text = column(st, 3);
                        if (text.startsWith(QLatin1String("<!DOCTYPE HTML")))
                            example->setHtml(text);
                        else
                            example->setPlainText(text);
                        hint->setText(QStringLiteral("在单词表“ WordTable ”中找到该词"));
                    }
                    read.reset();
                    shown += shownSize(pron, mean, details, example, hint);
                }
                return shown;
            });
        if (!same || PDictFoundTable != QLatin1String("WordTable") || form.EdMean->text() != words.last().mean ||
            form.CBWordTableMove->count() != kLists - 1) {
            state.SkipWithError("the dictionary did not show the word from WordTable");
            break;
        }
    }
}
BENCHMARK(BM_Pair_DictLookUpFirstList)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_BulkImportOf100Words_RatioToRawFetchesAndInserts(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
    BankFixture::makeBank(path);
    ScriptedDialogs quiet;
    TPdatamodule dm(dir.path() + QLatin1Char('/'), QStringList{path});
    PEnsureUserRow();
    PSetCurrentTable(QStringLiteral("WordTable"));
    dm.PCreateNewWordTable(QStringLiteral("WordTable"), QStringLiteral("RawList"), QStringLiteral("addname"));

    LoopbackWeb web;
    QStringList lines;
    for (int i = 0; i < kImportWords; ++i) {
        lines << QStringLiteral("word%1").arg(i);
        web.serve(Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + lines.last(),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><dict><key>" + lines.last().toUtf8() +
                      "</key><def>n. 词</def><sent><orig>A word.</orig><trans>一个词。</trans></sent></dict>",
                  "text/xml");
    }
    TPInputFormWordSvc form;
    form.CBKeepUnique->setChecked(false);
    sqlite3 *db = dm.PConnection.handle();
    Prepared insert(db, QStringLiteral("insert into RawList(单词,音标,解释,联想,详解,例句,做过次数,做错次数,经验点数,"
                                       "所属类别,上次是否做对,最近测试时间,掌握类型) "
                                       "values(?,'',?,'','',?,'0','0','10','','','2026-03-04','00')"));

    double layer = 0, raw = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        form.MeInputList->setPlainText(lines.join(QLatin1Char('\n')));
        form.BtCreate->click();
        layer += microsSince(t0);
        const int stored = dm.PGetCountFromTable(QStringLiteral("WordTable"));

        t0 = Clock::now();
        int inserted = 0;
        for (const QString &line : lines) {
            const HttpReply reply = HttpGet(Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + line);
            QDomDocument doc;
            doc.setContent(reply.body);
            const QDomElement root = doc.documentElement();
            sqlite3_stmt *st = insert.bind({root.firstChildElement(QStringLiteral("key")).text().toUtf8(),
                                            root.firstChildElement(QStringLiteral("def")).text().toUtf8(),
                                            root.firstChildElement(QStringLiteral("sent")).text().toUtf8()});
            inserted += sqlite3_step(st) == SQLITE_DONE;
        }
        raw += microsSince(t0);

        if (stored != kImportWords || inserted != kImportWords || !form.MeInputList->toPlainText().isEmpty()) {
            state.SkipWithError("a side did not store every word");
            break;
        }
        state.PauseTiming();
        dm.PDeleteAllFromTable(QStringLiteral("WordTable"));
        dm.PDeleteAllFromTable(QStringLiteral("RawList"));
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["layer_us"] = layer / n;
    state.counters["raw_us"] = raw / n;
    state.counters["ratio"] = layer / raw;
}
BENCHMARK(BM_BulkImportOf100Words_RatioToRawFetchesAndInserts)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
