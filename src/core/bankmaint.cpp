#include "core/bankmaint.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "core/wordrecords.h"
#include "platform/clock.h"
#include "platform/filestat.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

QString POpenBankFileRefusal(const QString &Path)
{
    if (!PIsEngineFileOf(Path, PWordBankPath))
        return QString();
    return QStringLiteral("“") + Path + QStringLiteral("”是正在使用的词库或它的附属文件，不能用于此操作。");
}

void PGetAllTableNames(QString &List)
{
    TPdatamodule &dm = *Pdatamodule;
    dm.PSelectAllFromTable(Tbl::TableNameTable);
    dm.PQuery.open();
    for (; !dm.PQuery.eof(); dm.PQuery.next())
        List += dm.PQuery.fieldByName(Col::TableName) + QLatin1Char(',');
    dm.PQuery.close();
    List += Tbl::WordTable;
}

void PInitWordBank()
{
    TPdatamodule &dm = *Pdatamodule;
    try {
        dm.PDropTable(Tbl::LogTable, QString());
        dm.P_Create_LogTable();
        dm.PDropTable(Tbl::OptionTable, QString());
        dm.P_Create_OptionTable();
        dm.PDropTable(Tbl::TempTable, QString());
        dm.P_Create_TempTable();
        dm.PDropTable(Tbl::UsedWordTable, QString());
        dm.P_Create_UsedWordTable();
        dm.PUpdateOneFieldFromTable(Tbl::UserTable, Col::UserExperience, QStringLiteral("0"));
        dm.PUpdateOneFieldFromTable(Tbl::UserTable, Col::MasteredCount, QStringLiteral("0"));

        const int n = dm.PGetCountFromTable(Tbl::TableNameTable);
        QString all;
        PGetAllTableNames(all);
        QStringList names{Tbl::WordTable};
        names += all.split(QLatin1Char(',')).mid(0, n);
        for (const QString &name : names)
            PUpdateTableFields(name, Col::TimesDone, Col::TimesWrong, Col::Experience, Col::LastRight,
                               Col::LastTested, Col::MasterType, QStringLiteral("0"), QStringLiteral("0"),
                               Code::NewWordExperience, Code::NotDone, Code::NeverTested, Code::Master00);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("词库初始化失败"));
        return;
    }
    PDialogs().message(QStringLiteral("词库初始化成功"));
}

bool PCompactDatabase(const QString &Source)
{
    const QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + Source +
                         QStringLiteral(";Jet OLEDB:Database Password=") + QString::fromLatin1(LxbPassword);
    try {
        JetCompactDatabase(text);
        return true;
    } catch (const EngineError &) {
        return false;
    }
}

namespace {

// Puts a copy of the bank at from at to: written beside the target first, then renamed over it,
// so the target is either the old file or the whole new one. The copy is made through the engine:
// a plain file copy would miss what another program has in the bank's log.
bool replaceFileWithBankCopy(const QString &from, const QString &to)
{
    const QString temp = to + QStringLiteral(".part");
    QFile::remove(temp);
    try {
        JetBackupDatabase(PConnectionText(from), temp);
    } catch (const EngineError &) {
        QFile::remove(temp);
        return false;
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(to).constData()) != 0) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

}  // namespace

void PSlimWordBank()
{
    Pdatamodule->PQuery.close();
    Pdatamodule->PConnection.close();
    const qint64 oldSize = QFileInfo(PWordBankPath).size() / 1000;
    QString message = QStringLiteral("瘦身失败");
    // In place: the bank is never swapped for another file that a second program could miss.
    if (PCompactDatabase(PWordBankPath)) {
        const qint64 newSize = QFileInfo(PWordBankPath).size() / 1000;
        message = QStringLiteral("瘦身成功，原词库大小为") + QString::number(oldSize) + QStringLiteral("KB，瘦身后为") +
                  QString::number(newSize) + QStringLiteral("KB");
    }
    PDialogs().message(message);
}

void PBackupWordBank()
{
    Pdatamodule->PQuery.close();
    Pdatamodule->PConnection.close();
    const QString target = PProgramDir + PShortDateText() + QStringLiteral(".lxb");
    const QString refusal = POpenBankFileRefusal(target);
    if (!refusal.isEmpty()) {
        PDialogs().message(refusal, QString(), Dialogs::Critical);
        return;
    }
    if (replaceFileWithBankCopy(PWordBankPath, target))
        PDialogs().message(QStringLiteral("词库文件已成功备份到“") + target + QStringLiteral("”"));
}

bool PConnectWordBank(const QString &Path)
{
    const QString previous = PWordBankPath;
    // The bank in use, chosen again under any name, is connected again as a cancelled choice
    // is; the files the engine keeps beside it are no bank.
    const TPFileStamp chosen = PFileStampOf(Path), bank = PFileStampOf(previous);
    const bool same = chosen.exists && bank.exists && chosen.device == bank.device && chosen.inode == bank.inode;
    const QString refusal = same ? QString() : POpenBankFileRefusal(Path);
    if (!refusal.isEmpty()) {
        PDialogs().message(refusal, QString(), Dialogs::Critical);
        return false;
    }
    PWordBankPath = same ? previous : Path;
    try {
        Pdatamodule->PResetConnection();
        return true;
    } catch (const EngineError &e) {
        // Not a word bank: say why, and go on with the bank that was open.
        PDialogs().message(e.message(), QString(), Dialogs::Critical);
        PWordBankPath = previous;
        Pdatamodule->PResetConnection();
        return false;
    }
}

bool POpenWordBank()
{
    const QString previous = PWordBankPath;
    const QString path = Pdatamodule->OpenDialog1.Execute() ? Pdatamodule->OpenDialog1.FileName : PWordBankPath;
    PConnectWordBank(path);
    return PWordBankPath != previous;
}
