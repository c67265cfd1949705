// The small dictionary's look-up among 50 lists of 2,000 words, and the bulk import of 100 words
// from a loopback word service, each paired with the least raw code that has the same effect,
// the two sides alternated on the thread's CPU clock (pairclock.h).

#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "platform/clock.h"
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
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

constexpr int kLists = 50;  // WordTable and 49 registered lists
constexpr int kWordsPerList = 2000;
constexpr int kImportWords = 100;

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

// Words of the bank as the imports store them: details and examples on several plain lines.
struct ShownWord {
    QString word, pron, mean, details, example;
};

QList<ShownWord> shownWords(sqlite3 *db, int list)
{
    QList<ShownWord> words;
    Prepared update(db, QStringLiteral("update ") + listName(list) +
                            QStringLiteral(" set 音标=?,解释=?,详解=?,例句=? where 单词=?"));
    for (int i = 0; i < 8; ++i) {
        ShownWord w{spelling(list, 100 + i * 237), QStringLiteral("ˈwɜːd%1").arg(i), QStringLiteral("n. 第%1个词；词语").arg(i),
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
                    const QLabel *hint, const QComboBox *targets)
{
    return pron->text().size() + mean->text().size() + details->document()->characterCount() +
           example->document()->characterCount() + hint->text().size() + targets->count();
}

long long shownSize(const TPDictForm &form)
{
    return shownSize(form.EdPron, form.EdMean, form.REExpl, form.RESent, form.LBhint, form.CBWordTableMove);
}

QString column(sqlite3_stmt *st, int i)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
}

// The raw sides' window: boxes of the kinds the dictionary shows a word in (two line edits, two
// rich edits, the status label, the move targets). Hidden, as the dictionary is when a study tool
// looks a word up before opening it: nothing paints in the clocks.
struct RawBoxes {
    QWidget window;
    QLineEdit *pron = new QLineEdit(&window), *mean = new QLineEdit(&window);
    QTextEdit *details = new QTextEdit(&window), *example = new QTextEdit(&window);
    QLabel *hint = new QLabel(&window);
    QComboBox *targets = new QComboBox(&window);
    QStringList offered;

    RawBoxes()
    {
        details->setAcceptRichText(false);
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{pron, mean, hint, details, example, targets})
            layout->addWidget(w);
        window.resize(590, 371);
    }
    // st stands on the word's row (音标, 解释, 详解, 例句) of list.
    void show(sqlite3_stmt *st, const QString &list)
    {
        pron->setText(column(st, 0));
        mean->setText(column(st, 1));
        details->setPlainText(column(st, 2));
        const QString text = column(st, 3);
        if (text.startsWith(QLatin1String("<!DOCTYPE HTML")))
            example->setHtml(text);
        else
            example->setPlainText(text);
        hint->setText(QStringLiteral("在单词表“ ") + list + QStringLiteral(" ”中找到该词"));
    }
    // The lists a word of list can move to; careful code leaves a box that already offers them.
    void offer(QStringList lists, const QString &list)
    {
        lists.removeOne(list);
        if (lists != offered) {
            targets->clear();
            targets->addItems(lists);
            offered = lists;
        }
    }
    long long shown() const { return shownSize(pron, mean, details, example, hint, targets); }
};

// Both sides look every word up in turn, round after round, and must show the same; the
// program's side from the look-up command, as the learner gives it.
template <class RawLookUp>
void pairLookUps(benchmark::State &state, const QList<ShownWord> &words, const QString &list, TPDictForm &form,
                 RawBoxes &raw, RawLookUp rawLookUp)
{
    TPPairClock clock(state);
    for (auto _ : state) {
        const bool same = clock.run(
            [&] {
                long long shown = 0;
                for (const ShownWord &w : words) {
                    form.MeWord->setText(w.word);
                    form.PopFind0->trigger();
                    shown += shownSize(form);
                }
                return shown;
            },
            [&] {
                long long shown = 0;
                for (const ShownWord &w : words) {
                    rawLookUp(w.word);
                    shown += raw.shown();
                }
                return shown;
            });
        if (!same || PDictFoundTable != list || form.EdMean->text() != words.last().mean ||
            raw.mean->text() != words.last().mean || form.CBWordTableMove->count() != kLists - 1) {
            state.SkipWithError("a side did not show the words of their list");
            break;
        }
    }
}

// The learner's look-up of words that the first of the 50 lists holds, from the look-up command
// to the filled window, against the least that shows the same: one prepared statement reading
// the word's row, its texts set into boxes of the same kinds. The move targets are offered
// before the clocks on that side: the found list never changes here.
void BM_Pair_DictLookUpFirstList(benchmark::State &state)
{
    state.SetLabel("dictionary look-up of a word in the first of 50 lists, window filled");
    state.counters["goal"] = 2.0;
    Bank bank;
    sqlite3 *db = bank.dm->PConnection.handle();
    const QList<ShownWord> words = shownWords(db, 0);
    TPDictForm form;
    RawBoxes raw;
    QStringList lists;
    for (int l = 0; l < kLists; ++l)
        lists << listName(l);
    raw.offer(lists, listName(0));
    Prepared read(db, QStringLiteral("select 音标,解释,详解,例句 from WordTable where 单词=? limit 1"));

    pairLookUps(state, words, listName(0), form, raw, [&](const QString &word) {
        sqlite3_stmt *st = read.bind({word.toUtf8()});
        if (sqlite3_step(st) == SQLITE_ROW)
            raw.show(st, listName(0));
        read.reset();
    });
}
BENCHMARK(BM_Pair_DictLookUpFirstList)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same look-up of words that only the last of the 50 lists holds: every list is asked. The
// raw side asks as careful code does: whether the word is being studied, the registered lists,
// then one prepared probe a list (stopping at the first row that matches) until one holds it,
// its row read and shown, and the move targets left as they are when they are the same lists.
void BM_Pair_DictLookUpLastOf50Lists(benchmark::State &state)
{
    state.counters["goal"] = 2.0;
    state.SetLabel("dictionary look-up of a word in the last of 50 lists, window filled");
    Bank bank;
    sqlite3 *db = bank.dm->PConnection.handle();
    const int last = kLists - 1;
    const QList<ShownWord> words = shownWords(db, last);
    TPDictForm form;
    RawBoxes raw;

    Prepared studied(db, QStringLiteral("select 1 from TempTable where 单词=? limit 1"));
    Prepared names(db, QStringLiteral("select 表名 from TableNameTable"));
    QHash<QString, std::shared_ptr<Prepared>> probes, reads;
    for (int l = 0; l < kLists; ++l) {
        probes.insert(listName(l), std::make_shared<Prepared>(db, QStringLiteral("select 1 from ") + listName(l) +
                                                                      QStringLiteral(" where 单词=? limit 1")));
        reads.insert(listName(l), std::make_shared<Prepared>(db, QStringLiteral("select 音标,解释,详解,例句 from ") +
                                                                     listName(l) + QStringLiteral(" where 单词=? limit 1")));
    }
    const auto holds = [](Prepared &p, const QByteArray &word) {
        const bool found = sqlite3_step(p.bind({word})) == SQLITE_ROW;
        p.reset();
        return found;
    };
    const auto rawLookUp = [&](const QString &word) {
        const QByteArray word8 = word.toUtf8();
        if (holds(studied, word8))
            return;
        QStringList lists{listName(0)};
        sqlite3_stmt *st = names.bind({});
        while (sqlite3_step(st) == SQLITE_ROW)
            lists << column(st, 0);
        names.reset();
        for (const QString &list : lists) {
            if (!holds(*probes.value(list), word8))
                continue;
            Prepared &read = *reads.value(list);
            sqlite3_stmt *row = read.bind({word8});
            if (sqlite3_step(row) == SQLITE_ROW)
                raw.show(row, list);
            read.reset();
            raw.offer(lists, list);
            return;
        }
    };

    pairLookUps(state, words, listName(last), form, raw, rawLookUp);
}
BENCHMARK(BM_Pair_DictLookUpLastOf50Lists)->Unit(benchmark::kMillisecond)->Iterations(100);

// The bulk import of 100 pasted words, from the import command to the list shown again, against
// the least raw code with the same effect. The network part is the same on both sides: the same
// loopback service, the same requests (the reachability probe, then one request a line) made
// through the same kind of waiter, whose thread sends each request and reads its answer while the
// window's thread, the one clocked, waits. What is left on the clocks is the import's own work:
// each answer's fields taken, the example lines made, the phonetic looked up, the boxes filled
// and the row written as soon as its answer is in (a write held open across the waits would lock
// the bank for the whole import), then the list shown again. The raw side keeps the phonetic file
// parsed and asks once an import whether it changed, dates the rows once, writes each row with
// one prepared statement and refills its list view from one read.
struct ImportAnswer {
    QString line, key, pron, mean;
};

QByteArray importXml(const ImportAnswer &a, int i)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><dict><key>" + a.key.toUtf8() + "</key><def>" +
                     a.mean.toUtf8() + "</def>";
    for (int s = 0; s < 1 + i % 4; ++s)
        xml += "<sent><orig>Sentence " + QByteArray::number(s) + " with " + a.key.toUtf8() +
               ".</orig><trans>第" + QByteArray::number(s) + "句。</trans></sent>";
    return xml + "</dict>";
}

QList<QStringList> storedRows(sqlite3 *db, const QString &list)
{
    QList<QStringList> rows;
    Prepared read(db, QStringLiteral("select 单词,音标,解释,联想,详解,例句,做过次数,做错次数,经验点数,所属类别,"
                                     "上次是否做对,最近测试时间,掌握类型 from ") +
                          list + QStringLiteral(" order by ID"));
    for (sqlite3_stmt *st = read.bind({}); sqlite3_step(st) == SQLITE_ROW;) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            row << column(st, i);
        rows << row;
    }
    return rows;
}

struct FileTime {
    timespec changed{};
    off_t size = -1;
    bool operator==(const FileTime &o) const
    {
        return changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec && size == o.size;
    }
};

FileTime fileTime(const QByteArray &path)
{
    struct stat st{};
    return ::stat(path.constData(), &st) == 0 ? FileTime{st.st_mtim, st.st_size} : FileTime{};
}

QHash<QString, QString> readPhonetics(const QString &path)
{
    QFile file(path);
    QHash<QString, QString> out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line);
        const int bar = int(text.indexOf(QLatin1Char('|')));
        if (bar >= 0 && !out.contains(text.left(bar)))
            out.insert(text.left(bar), text.mid(bar + 1));
    }
    return out;
}

// Each side asked for every word once: every address of the round twice, kImportWords of them.
bool askedTwice(QStringList requests)
{
    requests.sort();
    bool twice = requests.size() == 2 * kImportWords;
    for (qsizetype i = 0; twice && i < requests.size(); i += 2)
        twice = requests.at(i) == requests.at(i + 1) && (i == 0 || requests.at(i) != requests.at(i - 1));
    return twice;
}

void BM_Pair_BulkImportOf100Words(benchmark::State &state)
{
    state.SetLabel("bulk import of 100 words from the word service, list shown");
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
    BankFixture::makeBank(path);
    ScriptedDialogs quiet;
    TPdatamodule dm(dir.path() + QLatin1Char('/'), QStringList{path});
    PEnsureUserRow();
    PSetCurrentTable(QStringLiteral("WordTable"));
    const QString rawList = QStringLiteral("RawList");
    dm.PCreateNewWordTable(QStringLiteral("WordTable"), rawList, QStringLiteral("addname"));
    sqlite3 *db = dm.PConnection.handle();

    // Typed lines in another case than the service's headwords; a phonetic for two words in three.
    LoopbackWeb web;
    QStringList lines;
    QByteArray phoneticFile;
    for (int i = 0; i < kImportWords; ++i) {
        const ImportAnswer a{QStringLiteral("Word%1").arg(i), QStringLiteral("word%1").arg(i),
                             QStringLiteral("ˈwɜːd%1").arg(i), QStringLiteral("n. 第%1个词").arg(i)};
        lines << a.line;
        web.serve(Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + a.line, importXml(a, i), "text/xml");
        if (i % 3)
            phoneticFile += a.key.toUtf8() + '|' + a.pron.toUtf8() + '\n';
    }
    const QString phoneticPath = PProgramDir + QStringLiteral("WordPron.dat");
    {
        QFile file(phoneticPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(phoneticFile) != phoneticFile.size()) {
            state.SkipWithError("the phonetic file cannot be written");
            return;
        }
    }
    const QString typed = lines.join(QLatin1Char('\n'));

    TPInputFormWordSvc form;
    form.CBKeepUnique->setChecked(false);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *input = new QPlainTextEdit(&window);
    auto *word = new QLineEdit(&window), *pron = new QLineEdit(&window), *mean = new QLineEdit(&window);
    auto *sentences = new QTextEdit(&window);
    auto *progress = new QProgressBar(&window);
    auto *list = new QTreeWidget(&window);
    list->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("单词")});
    for (QWidget *w : std::initializer_list<QWidget *>{input, word, pron, mean, sentences, progress, list})
        layout->addWidget(w);
    const QByteArray phoneticPath8 = phoneticPath.toLocal8Bit();
    FileTime phoneticTime = fileTime(phoneticPath8);
    QHash<QString, QString> phonetics = readPhonetics(phoneticPath);
    // The new row's ID given with it, as the next number of the list's counter: left to the
    // numbering trigger it would cost a second write of the row.
    Prepared insert(db, QStringLiteral("insert into RawList(ID,单词,音标,解释,联想,详解,例句,做过次数,做错次数,经验点数,"
                                       "所属类别,上次是否做对,最近测试时间,掌握类型) values((select seed from "
                                       "lxb_counters where tbl='RawList')+1,?,?,?,'','',?,'0','0','10','','',?,'00')"));
    Prepared shownRows(db, QStringLiteral("select ID,单词 from RawList"));

    const auto rawImport = [&] {
        const long long before = sqlite3_total_changes64(db);
        const QStringList asked = input->toPlainText().split(QLatin1Char('\n'));
        if (const FileTime now = fileTime(phoneticPath8); !(now == phoneticTime)) {
            phonetics = readPhonetics(phoneticPath);
            phoneticTime = now;
        }
        const QByteArray today = PTodayText().toUtf8();
        progress->setMaximum(int(asked.size()));
        progress->setValue(0);
        HttpWaiter waiter(&window);
        bool online = false;
        waiter.run([&] { online = HttpCanConnect(Addr::HomePage()); });
        QDomDocument doc;
        for (const QString &line : asked) {
            progress->setValue(progress->value() + 1);
            if (!online)
                continue;
            try {
                waiter.run([&] {
                    doc.setContent(HttpGet(Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") +
                                           QString::fromLatin1(QUrl::toPercentEncoding(line, " ")))
                                       .body);
                });
            } catch (const WebError &) {
                continue;
            }
            const QDomElement root = doc.documentElement();
            const QString key = root.firstChildElement(QStringLiteral("key")).text();
            if (key.isEmpty())
                continue;
            QStringList example;
            QDomElement sent = root.firstChildElement(QStringLiteral("sent"));
            for (int s = 0; s < 3; ++s) {
                example << sent.firstChildElement(QStringLiteral("orig")).text()
                        << sent.firstChildElement(QStringLiteral("trans")).text();
                sent = sent.nextSiblingElement(QStringLiteral("sent"));
            }
            word->setText(key);
            mean->setText(root.firstChildElement(QStringLiteral("def")).text());
            pron->setText(phonetics.value(key));
            sentences->setPlainText(example.join(QLatin1Char('\n')));
            sqlite3_step(insert.bind({key.toUtf8(), pron->text().toUtf8(), mean->text().toUtf8(),
                                      sentences->toPlainText().toUtf8(), today}));
            insert.reset();
        }
        input->clear();
        list->clear();
        QList<QTreeWidgetItem *> items;
        for (sqlite3_stmt *st = shownRows.bind({}); sqlite3_step(st) == SQLITE_ROW;)
            items << new QTreeWidgetItem(QStringList{column(st, 0), column(st, 1)});
        shownRows.reset();
        list->addTopLevelItems(items);
        return sqlite3_total_changes64(db) - before;
    };

    TPPairClock clock(state);
    for (auto _ : state) {
        form.MeInputList->clear();
        input->setPlainText(typed);
        const qsizetype asked = web.requestCount();
        const bool same = clock.run(
            [&] {
                const long long before = sqlite3_total_changes64(db);
                form.MeInputList->setPlainText(typed);
                form.BtCreate->click();
                return sqlite3_total_changes64(db) - before;
            },
            rawImport);
        const QList<QStringList> stored = storedRows(db, QStringLiteral("WordTable"));
        // The service's headword is stored, with the phonetic of the file where it has one.
        if (!same || stored.size() != kImportWords || stored != storedRows(db, rawList) ||
            stored.at(1).mid(0, 2) != QStringList{QStringLiteral("word1"), QStringLiteral("ˈwɜːd1")} ||
            form.LVWordList->topLevelItemCount() != kImportWords || list->topLevelItemCount() != kImportWords ||
            !form.MeInputList->toPlainText().isEmpty() || !input->toPlainText().isEmpty() ||
            !askedTwice(web.requests().mid(asked))) {
            state.SkipWithError("the two sides did not store and show the same words");
            break;
        }
        sqlite3_exec(db, "delete from WordTable; delete from RawList", nullptr, nullptr, nullptr);
    }
}
BENCHMARK(BM_Pair_BulkImportOf100Words)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
