#pragma once
// What the dictionary and bulk-import tests share: a bank with two more lists, a fixed today, the
// XML word service on loopback, and whole-row snapshots of a list for exact before/after checks.

#include "services/addresses.h"
#include "support/bankfixture.h"
#include "support/drivendate.h"
#include "support/loopbackweb.h"
#include "support/qstringprinter.h"

#include "platform/formbase.h"

#include <QFile>
#include <QTimer>
#include <functional>

class WordServiceFixture : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        for (const QString &l : {L1, L2})
            dm->PCreateNewWordTable(W, l, QStringLiteral("addname"));
        dm->PInsertOneRecordToTable(QStringLiteral("UserTable"), QStringLiteral("当前单词表"), W);
    }

    static QString query(const QString &word)
    {
        return Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + word;
    }
    // The service knows word: it answers with key, def and `sentences` example pairs.
    void serveWord(const QString &word, const QString &key, const QString &def, int sentences = 2)
    {
        QByteArray body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><dict><key>" + key.toUtf8() + "</key><def>" +
                          def.toUtf8() + "</def>";
        for (int i = 1; i <= sentences; ++i)
            body += "<sent><orig>" + key.toUtf8() + " sentence " + QByteArray::number(i) + ".</orig><trans>例句" +
                    QByteArray::number(i) + "。</trans></sent>";
        web.serve(query(word), body + "</dict>", "text/xml");
    }
    // The service does not know word: def comes first.
    void serveUnknown(const QString &word)
    {
        web.serve(query(word), "<?xml version=\"1.0\"?><dict><def>Not Found</def></dict>", "text/xml");
    }
    void writePhonetics(const QByteArray &lines)
    {
        QFile f(programDir + QStringLiteral("WordPron.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines);
    }
    // Runs whileOpen once window, shown modally by open(), has been activated; true when it was.
    static bool whileModal(TPForm *window, const std::function<void()> &open, const std::function<void()> &whileOpen)
    {
        bool reached = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!window->isModalShowing() || window->activationCount() == 0)
                return;
            poll.stop();
            reached = true;
            whileOpen();
        });
        poll.start();
        open();
        return reached;
    }
    // Every row of T, all columns joined by "|", in table order.
    QStringList rows(const QString &T)
    {
        QStringList out;
        dm->PSelectAllFromTable(T);
        dm->PQuery.open();
        const QStringList fields = dm->PQuery.fieldNames();
        while (!dm->PQuery.eof()) {
            QStringList values;
            for (const QString &f : fields)
                values << dm->PQuery.fieldByName(f);
            out << values.join(QLatin1Char('|'));
            dm->PQuery.next();
        }
        dm->PQuery.close();
        return out;
    }
    // A word row with statistics of its own, as a learner's tested word has.
    void addTestedWord(const QString &T, const QString &word)
    {
        addWord(T, word, QStringLiteral("旧解释"), QStringLiteral("旧类别"));
        for (const auto &f : {std::pair<const char *, const char *>{"联想", "记忆"}, {"详解", "旧详解"},
                              {"做过次数", "5"}, {"做错次数", "2"}, {"经验点数", "30"}, {"掌握类型", "11"},
                              {"上次是否做对", "对"}, {"最近测试时间", "2025-12-01"}})
            dm->PUpdateOneDataFromTable(T, QStringLiteral("单词"), QString::fromUtf8(f.first), word,
                                        QString::fromUtf8(f.second));
    }

    const QString W = QStringLiteral("WordTable");
    const QString L1 = QStringLiteral("L1");
    const QString L2 = QStringLiteral("L2");
    const QString Temp = QStringLiteral("TempTable");
    DrivenDate today{QDateTime(QDate(2026, 3, 4), QTime(9, 30))};
    LoopbackWeb web;
};
