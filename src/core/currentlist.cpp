#include "core/currentlist.h"

#include "core/datamodule.h"

QString PCurrentTable;

void PLoadCurrentTableName()
{
    JetQuery &q = Pdatamodule->PQuery;
    Pdatamodule->PSelectAllFromTable(QStringLiteral("UserTable"));
    q.open();
    const QString name = q.eof() ? QString() : q.fieldByName(QStringLiteral("当前单词表"));
    q.close();
    PCurrentTable = name;
}

void PSetCurrentTable(const QString &Name)
{
    Pdatamodule->PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("当前单词表"), Name);
    PCurrentTable = Name;
}

void PEnsureUserRow()
{
    if (Pdatamodule->PGetCountFromTable(QStringLiteral("UserTable")) != 0)
        return;
    // One row or none: the three values land together.
    JetTransaction t(Pdatamodule->PConnection);
    Pdatamodule->PInsertOneRecordToTable(QStringLiteral("UserTable"), QStringLiteral("经验值"), QStringLiteral("0"));
    Pdatamodule->PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("掌握单词数"),
                                          QStringLiteral("0"));
    Pdatamodule->PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("当前单词表"),
                                          QStringLiteral("WordTable"));
    t.commit();
}
