#include "core/wordbookimport.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"
#include "platform/clock.h"
#include "core/phoneticfile.h"
#include "core/bankmaint.h"
#include "core/listviews.h"

#include <QHash>
#include <QStringView>
#include <vector>
#include <QSet>
#include <QTreeWidget>

const QString PWordBookLayoutKingsoft = QStringLiteral("金山词霸");
const QString PWordBookLayoutGoogle = QStringLiteral("谷歌金山词霸");

bool PImportWordBookText(QTreeWidget *ListView, TOpenDialog &OpenDialog)
{
    ListView->clear();
    const QString layout =
        PConfigIni->ReadString(Ini::DBTool, Ini::WordBookLayout, PWordBookLayoutKingsoft);
    const bool kingsoft = layout == PWordBookLayoutKingsoft;
    const bool google = layout == PWordBookLayoutGoogle;
    if (kingsoft) {
        OpenDialog.Title = QStringLiteral("打开金山词霸生词本文件");
        OpenDialog.Filter = QStringLiteral("金山词霸生词本导出文本(*.txt)|*.txt");
    } else if (google) {
        OpenDialog.Title = QStringLiteral("打开谷歌金山词霸生词本文件");
        OpenDialog.Filter = QStringLiteral("谷歌金山词霸生词本导出文本(*.txt)|*.txt");
    }
    if (!OpenDialog.Execute())
        return false;
    if (!kingsoft && !google)
        return false;

    const QString refusal = POpenBankFileRefusal(OpenDialog.FileName);
    if (!refusal.isEmpty())
        throw EngineError(refusal);
    QString text;
    if (!PReadTextFile(OpenDialog.FileName, text))
        throw EngineError(QStringLiteral("无法读取文件“") + OpenDialog.FileName + QStringLiteral("”。"));

    const QChar meaningMark = kingsoft ? QLatin1Char('\\') : QLatin1Char('#');
    // Each word's texts are gathered first and its item made once, from views into the file's
    // text: no string per line, no item changed after it was made.
    struct Entry {
        QStringView word;
        QString meaning;
        QStringView phonetic;
        QString lookedUp;
    };
    std::vector<Entry> entries;
    // Meaning and phonetic lines belong to the word line above them; before the first word line,
    // or after a word line with no word, there is no word to give them to.
    Entry *last = nullptr;
    const QStringView all(text);
    for (qsizetype from = 0; from < all.size();) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), from);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(from, end - from);
        from = end + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QChar mark = line.at(0);
        if (mark == QLatin1Char('+')) {
            const QStringView word = line.mid(1);
            if (word.trimmed().isEmpty()) {
                last = nullptr;
                continue;
            }
            entries.push_back({word, QString(), QStringView(), QString()});
            last = &entries.back();
            if (google)
                PLookupPhonetic(word.toString(), last->lookedUp);
        } else if (mark == meaningMark) {
            if (last)
                last->meaning = line.toString().remove(meaningMark);
        } else if (kingsoft && mark == QLatin1Char('&')) {
            if (last)
                last->phonetic = line.mid(1);
        }
    }
    // The list's own light items: a general item keeps a variant per column, which made building
    // them cost more than reading the file.
    QList<QTreeWidgetItem *> items;
    items.reserve(qsizetype(entries.size()));
    for (const Entry &e : entries)
        items << PNewItem({e.word, e.meaning, google ? QStringView(e.lookedUp) : e.phonetic});
    ListView->addTopLevelItems(items);
    return true;
}

void PStoreImportedWords(QTreeWidget *ListView, const QString &T)
{
    const QString table = PTableSql(T);
    const QString today = PTodayText();
    JetConnection &connection = Pdatamodule->PConnection;
    // One transaction round the whole store. A word is one insert, which lands whole or not at
    // all by itself; on an error the words before it are committed and the error goes on.
    JetTransaction all(connection);
    try {
        // The words T holds, folded as the bank compares them: read once, so each imported word
        // is looked up here rather than asked of the bank.
        QSet<QString> held;
        held.reserve(ListView->topLevelItemCount());
        {
            JetQuery q(&connection);
            q.setSql(QStringLiteral("select 单词 from ") + table);
            q.open();
            for (; !q.eof(); q.next())
                held.insert(QString::fromUtf8(q.fieldUtf8At(0)).toCaseFolded());
            q.close();
        }
        // The whole record in one statement: the same row as an insert of the word followed by
        // updates keyed by it.
        JetCommand insert(connection, QStringLiteral("insert into ") + table +
                                          QStringLiteral("(单词,音标,解释,联想,详解,例句,所属类别,做过次数,做错次数,"
                                                         "经验点数,上次是否做对,最近测试时间,掌握类型) values(:单词,"
                                                         ":音标,:解释,\"\",\"\",\"\",:所属类别,0,0,:经验点数,\"\","
                                                         ":最近测试时间,\"\")"));
        for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = ListView->topLevelItem(i);
            const QString word = item->text(0);
            const QString folded = word.toCaseFolded();
            if (held.contains(folded))
                continue;
            insert.exec({word, item->text(2), item->text(1), Code::Unknown, Code::NewWordExperience, today});
            held.insert(folded);
        }
    } catch (...) {
        try {
            all.commit();
        } catch (...) {
            // The engine gave up the whole transaction; the first error is the one to report.
        }
        throw;
    }
    all.commit();
}
