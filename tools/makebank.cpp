// Makes the sample word bank from the schema statements and a tab-separated word list
// (spelling, phonetic, explanation, category per line).

#include "core/datamodule.h"
#include "core/wordrecords.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: makebank words.tsv EnglishWord.lxb\n");
        return 2;
    }
    QFile words(args.at(1));
    if (!words.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "makebank: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString bank = args.at(2);
    if (QFileInfo::exists(bank)) {
        std::fprintf(stderr, "makebank: %s exists\n", qPrintable(bank));
        return 1;
    }
    try {
        JetConnection::initialiseBankFile(bank, QString::fromLatin1(LxbPassword));
        TPdatamodule dm(QFileInfo(bank).absolutePath(), {bank});
        if (PTerminateRequested)
            return 1;
        dm.P_Create_WordTable();
        dm.P_Create_UserTable();
        dm.P_Create_LogTable();
        dm.P_Create_TableNameTable();
        dm.P_Create_UsedWordTable();
        dm.P_Create_OptionTable();
        dm.P_Create_TempTable();

        JetTransaction t(dm.PConnection);
        QTextStream in(&words);
        int n = 0;
        while (!in.atEnd()) {
            const QStringList f = in.readLine().split(QLatin1Char('\t'));
            if (f.size() != 4)
                continue;
            const QString w = QStringLiteral("WordTable"), k = QStringLiteral("单词");
            PInsertWordRecord(w, k, QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                              QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("所属类别"), f[0], f[1],
                              f[2], QString(), QString(), QString(), f[3]);
            PUpdateWordRecord3(w, k, QStringLiteral("做过次数"), QStringLiteral("做错次数"), QStringLiteral("经验点数"),
                               f[0], QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"));
            PUpdateWordRecord3(w, k, QStringLiteral("上次是否做对"), QStringLiteral("最近测试时间"),
                               QStringLiteral("掌握类型"), f[0], QStringLiteral("未做"), QStringLiteral("2000-01-01"),
                               QStringLiteral("00"));
            ++n;
        }
        t.commit();
        dm.PConnection.close();
        std::printf("makebank: %d words in %s\n", n, qPrintable(bank));
    } catch (const EngineError &e) {
        std::fprintf(stderr, "makebank: %s\n", qPrintable(e.message()));
        QFile::remove(bank);
        return 1;
    }
    return 0;
}
