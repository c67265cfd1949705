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

bool PCompactDatabase(const QString &Source, const QString &Destination)
{
    const auto text = [](const QString &path) {
        return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
               QStringLiteral(";Jet OLEDB:Database Password=") + QString::fromLatin1(LxbPassword);
    };
    try {
        JetCompactDatabase(text(Source), text(Destination));
        return true;
    } catch (const EngineError &) {
        return false;
    }
}

namespace {

// Puts a copy of from at to: written beside the target first, then renamed over it, so the
// target is either the old file or the whole new one. A bank is copied through the engine: a plain
// file copy would miss what another program has in the bank's log.
bool replaceFileWithCopy(const QString &from, const QString &to, bool bank = false)
{
    const QString temp = to + QStringLiteral(".part");
    QFile::remove(temp);
    if (bank) {
        try {
            JetBackupDatabase(PConnectionText(from), temp);
        } catch (const EngineError &) {
            QFile::remove(temp);
            return false;
        }
    } else if (!QFile::copy(from, temp)) {
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
    const QString newFile = PProgramDir + QStringLiteral("New.mdb");
    // A compaction cut short (a full disk, a kill) leaves its scratch file, which would make
    // every later one fail; the engine's companions of it go too, or they would be read into
    // the new copy. Never the bank itself, whatever its name.
    const QStringList scratch{newFile, newFile + QStringLiteral("-journal"), newFile + QStringLiteral("-wal"),
                              newFile + QStringLiteral("-shm")};
    for (const QString &file : scratch) {
        const QString refusal = POpenBankFileRefusal(file);
        if (!refusal.isEmpty()) {
            PDialogs().message(refusal, QString(), Dialogs::Critical);
            return;
        }
    }
    for (const QString &file : scratch)
        QFile::remove(file);
    QString message = QStringLiteral("瘦身失败");
    if (PCompactDatabase(PWordBankPath, newFile)) {
        // The old bank stays until its replacement is whole in its place.
        if (replaceFileWithCopy(newFile, PWordBankPath)) {
            QFile::remove(newFile);
            const qint64 newSize = QFileInfo(PWordBankPath).size() / 1000;
            message = QStringLiteral("瘦身成功，原词库大小为") + QString::number(oldSize) + QStringLiteral("KB，瘦身后为") +
                      QString::number(newSize) + QStringLiteral("KB");
        } else {
            QFile::remove(newFile);
        }
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
    if (replaceFileWithCopy(PWordBankPath, target, true))
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
