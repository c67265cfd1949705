#include "core/currentlist.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"

QString PCurrentTable;

void PLoadCurrentTableName()
{
    JetQuery &q = Pdatamodule->PQuery;
    Pdatamodule->PSelectAllFromTable(Tbl::UserTable);
    q.open();
    const QString name = q.eof() ? QString() : q.fieldByName(Col::CurrentList);
    q.close();
    PCurrentTable = name;
}

void PSetCurrentTable(const QString &Name)
{
    Pdatamodule->PUpdateOneFieldFromTable(Tbl::UserTable, Col::CurrentList, Name);
    PCurrentTable = Name;
}

void PEnsureUserRow()
{
    if (Pdatamodule->PGetCountFromTable(Tbl::UserTable) != 0)
        return;
    // One row or none: the three values land together.
    JetTransaction t(Pdatamodule->PConnection);
    Pdatamodule->PInsertOneRecordToTable(Tbl::UserTable, Col::UserExperience, QStringLiteral("0"));
    Pdatamodule->PUpdateOneFieldFromTable(Tbl::UserTable, Col::MasteredCount,
                                          QStringLiteral("0"));
    Pdatamodule->PUpdateOneFieldFromTable(Tbl::UserTable, Col::CurrentList, Tbl::WordTable);
    t.commit();
}
