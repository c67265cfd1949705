#include "tools/createtestunit.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"

QString PTestType;
int PGroupSize = 0;
int POptionCount = 0;

namespace {

void insertRow(JetQuery &q, const TPOptionRow &r)
{
    // Option columns beyond the row's options stay NULL.
    QString fields = Col::ID + QLatin1Char(',') + Col::Word + QLatin1Char(',') + Col::Explanation +
                     QLatin1Char(',') + Col::MasterType;
    QString values = QStringLiteral(":") + Col::ID + QStringLiteral(",:") + Col::Word + QStringLiteral(",:") +
                     Col::Explanation + QStringLiteral(",:") + Col::MasterType;
    for (int j = 1; j <= r.options.size(); ++j) {
        fields += QLatin1Char(',') + Col::Option(j);
        values += QStringLiteral(",:") + Col::Option(j);
    }
    q.setSql(QStringLiteral("insert into ") + Tbl::OptionTable + QStringLiteral(" (") + fields +
             QStringLiteral(") values (") + values + QLatin1Char(')'));
    q.setParam(Col::ID, r.row.id);
    q.setParam(Col::Word, r.row.word);
    q.setParam(Col::Explanation, r.row.explanation);
    q.setParam(Col::MasterType, r.row.masterType);
    for (int j = 1; j <= r.options.size(); ++j)
        q.setParam(Col::Option(j), r.options[j - 1]);
    q.execSql();
}

}  // namespace

QVector<TPGroupRow> PPrepareOptionTable()
{
    PTestType = PConfigIni->ReadString(Ini::VovaDereridu, Ini::TestType, TestType::EnToCn);
    PGroupSize = Pdatamodule->PGetCountFromTable(Tbl::TempTable);
    POptionCount = PConfigIni->ReadInteger(Ini::VovaDereridu, Ini::OptionCount, 4);
    Pdatamodule->PDeleteAllFromTable(Tbl::OptionTable);

    QVector<TPGroupRow> rows;
    JetQuery &q = Pdatamodule->PQuery;
    Pdatamodule->PSelectAllFromTableOrder(Tbl::TempTable, Col::LastRight, QString());
    q.open();
    const int id = q.fieldIndex(Col::ID), word = q.fieldIndex(Col::Word), expl = q.fieldIndex(Col::Explanation),
              master = q.fieldIndex(Col::MasterType);
    while (!q.eof()) {
        rows.append({q.fieldAt(id), q.fieldAt(word), q.fieldAt(expl), q.fieldAt(master)});
        q.next();
    }
    q.close();
    return rows;
}

void PCreateOptionTable()
{
    // A half-built table would give questions without options: all rows land or none.
    JetTransaction t(Pdatamodule->PConnection);
    const QVector<TPGroupRow> group = PPrepareOptionTable();
    const QVector<TPOptionRow> rows = PBuildOptionRows(group, PTestType, POptionCount, PRandom());
    for (const TPOptionRow &r : rows)
        insertRow(Pdatamodule->PQuery, r);
    t.commit();
}

void PPrepareTest()
{
    if (PConfigIni->ReadString(Ini::Main, Ini::Tool, ToolName::Spell) ==
        ToolName::MultipleChoice)
        PCreateOptionTable();
}
