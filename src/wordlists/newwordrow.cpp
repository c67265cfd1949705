#include "wordlists/newwordrow.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "services/utils.h"

#include <QStringList>

namespace {
// The columns of a new word's row; the editor leaves 上次是否做对 unset.
const QString *const kColumns[] = {&Col::Word,       &Col::Phonetic, &Col::Explanation, &Col::Association,
                                   &Col::Details,    &Col::Example,  &Col::TimesDone,   &Col::TimesWrong,
                                   &Col::Experience, &Col::Category, &Col::LastTested,  &Col::MasterType,
                                   &Col::LastRight};
constexpr int kAll = int(sizeof kColumns / sizeof *kColumns);

// One row of the first n columns, values in their order, in one statement whose text is made once
// per table and site. An empty text is stored as such, not as a missing value.
void insertRow(JetSiteText<1> &site, const QString &T, const QString *const *values, int n)
{
    JetQuery &q = Pdatamodule->PQuery;
    q.setSql(site.text({&T}, [&] {
        QStringList names, params;
        for (int i = 0; i < n; ++i) {
            names << *kColumns[i];
            params << QLatin1Char(':') + *kColumns[i];
        }
        return QStringLiteral("insert into ") + PTableSql(T) + QLatin1Char('(') + names.join(QLatin1Char(',')) +
               QStringLiteral(") values(") + params.join(QLatin1Char(',')) + QLatin1Char(')');
    }));
    static const QString empty = QStringLiteral("");
    for (int i = 0; i < n; ++i)
        q.setParam(*kColumns[i], values[i]->isNull() ? empty : *values[i]);
    q.execSql();
}

const QString &zero()
{
    static const QString z = QStringLiteral("0");
    return z;
}
}  // namespace

void PInsertNewWord(const QString &T, const TPNewWord &W)
{
    static JetSiteText<1> site;
    const QString none, today = PTodayText();
    const QString *const values[kAll] = {&W.Word,  &W.Pron, &W.Mean,  &none,   &W.Expl,
                                         &W.Sent,  &zero(), &zero(),  &Code::NewWordExperience,
                                         &none,    &today,  &Code::Master00, &W.LastResult};
    insertRow(site, T, values, kAll);
}

QString PInsertEditorWord(const QString &T, const TPWordRecord &R, QString *Experience)
{
    static JetSiteText<1> site;
    JetTransaction t(Pdatamodule->PConnection);
    // A word learnt before starts without the experience of a new one.
    const QString &experience = Pdatamodule->PGetCountFromTableWhere(Tbl::UsedWordTable, Col::Word, R.word) > 0
                                    ? zero()
                                    : Code::NewWordExperience;
    const QString today = PTodayText();
    const QString *const values[kAll - 1] = {&R.word,    &R.phonetic, &R.explanation, &R.association,
                                             &R.details, &R.example,  &zero(),        &zero(),
                                             &experience, &R.category, &today,        &Code::Master00};
    insertRow(site, T, values, kAll - 1);
    const QString id = Pdatamodule->PGetOneDataFromTable(Col::ID, T, Col::Word, R.word);
    t.commit();
    if (Experience)
        *Experience = experience;
    return id;
}
