#include "tools/createtestunit.h"

#include "core/datamodule.h"
#include "platform/inifile.h"
#include "vocab/bankvocab.h"

namespace {

// One statement for the whole build: every question carries the same number of options, and the
// option columns beyond it stay NULL.
QString insertSql(int Options)
{
    QString fields = Col::ID + QLatin1Char(',') + Col::Word + QLatin1Char(',') + Col::Explanation +
                     QLatin1Char(',') + Col::MasterType;
    QString values = QStringLiteral(":v0,:v1,:v2,:v3");
    for (int j = 1; j <= Options; ++j) {
        fields += QLatin1Char(',') + Col::Option(j);
        values += QStringLiteral(",:v") + QString::number(3 + j);
    }
    return QStringLiteral("insert into ") + Tbl::OptionTable + QStringLiteral(" (") + fields +
           QStringLiteral(") values (") + values + QLatin1Char(')');
}

}  // namespace

TPOptionBuild PPrepareOptionTable()
{
    TPOptionBuild b;
    b.testType = PConfigIni->ReadString(Ini::VovaDereridu, Ini::TestType, TestType::EnToCn);
    b.groupSize = Pdatamodule->PGetCountFromTable(Tbl::TempTable);
    b.optionCount = PConfigIni->ReadInteger(Ini::VovaDereridu, Ini::OptionCount, 4);
    Pdatamodule->PDeleteAllFromTable(Tbl::OptionTable);

    JetQuery &q = Pdatamodule->PQuery;
    Pdatamodule->PSelectAllFromTableOrder(Tbl::TempTable, Col::LastRight, QString());
    q.open();
    const int id = q.fieldIndex(Col::ID), word = q.fieldIndex(Col::Word), expl = q.fieldIndex(Col::Explanation),
              master = q.fieldIndex(Col::MasterType);
    while (!q.eof()) {
        b.group.append({q.fieldAt(id), q.fieldAt(word), q.fieldAt(expl), q.fieldAt(master)});
        q.next();
    }
    q.close();
    return b;
}

void PCreateOptionTable()
{
    // A half-built table would give questions without options: all rows land or none.
    JetTransaction t(Pdatamodule->PConnection);
    const TPOptionBuild b = PPrepareOptionTable();
    const QVector<TPOptionRow> rows = PBuildOptionRows(b.group, b.testType, b.optionCount, PRandom());
    if (!rows.isEmpty()) {
        const int options = int(rows.constFirst().options.size());
        JetCommand insert(Pdatamodule->PConnection, insertSql(options));
        QStringList values;
        for (const TPOptionRow &r : rows) {
            values.clear();
            values << r.row.id << r.row.word << r.row.explanation << r.row.masterType;
            values += r.options;
            insert.exec(values);
        }
    }
    t.commit();
}

QList<TPChoiceRow> PReadOptionTable()
{
    QList<TPChoiceRow> rows;
    JetQuery &q = Pdatamodule->PQuery;
    Pdatamodule->PSelectAllFromTable(Tbl::OptionTable);
    q.open();
    try {
        const int id = q.fieldIndex(Col::ID), word = q.fieldIndex(Col::Word), expl = q.fieldIndex(Col::Explanation),
                  last = q.fieldIndex(Col::LastRight), tested = q.fieldIndex(Col::LastTested),
                  master = q.fieldIndex(Col::MasterType);
        int opt[6];
        for (int j = 0; j < 6; ++j)
            opt[j] = q.fieldIndex(Col::Option(j + 1));
        for (; !q.eof(); q.next()) {
            TPChoiceRow r;
            r.record.id = q.fieldAt(id);
            r.record.word = q.fieldAt(word);
            r.record.explanation = q.fieldAt(expl);
            r.record.lastRight = q.fieldAt(last);
            r.record.lastTested = q.fieldAt(tested);
            r.record.masterType = q.fieldAt(master);
            for (int j = 0; j < 6; ++j)
                r.options << q.fieldAt(opt[j]);
            rows.append(r);
        }
    } catch (...) {
        q.close();
        throw;
    }
    q.close();
    return rows;
}

void PPrepareTest()
{
    if (PConfigIni->ReadString(Ini::Main, Ini::Tool, ToolName::Spell) == ToolName::MultipleChoice)
        PCreateOptionTable();
}
