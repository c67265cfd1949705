#include "wordlists/newwordrow.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "services/utils.h"

#include <QStringList>
#include <utility>

void PInsertNewWord(const QString &T, const TPNewWord &W)
{
    PCheckName(T);
    const std::pair<QString, QString> fields[] = {
        {Col::Word, W.Word},
        {Col::Phonetic, W.Pron},
        {Col::Explanation, W.Mean},
        {Col::Association, QString()},
        {Col::Details, W.Expl},
        {Col::Example, W.Sent},
        {Col::TimesDone, QStringLiteral("0")},
        {Col::TimesWrong, QStringLiteral("0")},
        {Col::Experience, Code::NewWordExperience},
        {Col::Category, QString()},
        {Col::LastRight, W.LastResult},
        {Col::LastTested, PTodayText()},
        {Col::MasterType, Code::Master00},
    };
    QStringList names, params;
    for (const auto &f : fields) {
        names << f.first;
        params << QLatin1Char(':') + f.first;
    }
    JetQuery &q = Pdatamodule->PQuery;
    q.setSql(QStringLiteral("insert into ") + T + QLatin1Char('(') + names.join(QLatin1Char(',')) +
             QStringLiteral(") values(") + params.join(QLatin1Char(',')) + QLatin1Char(')'));
    for (const auto &f : fields)
        // An empty text is stored as such, not as a missing value.
        q.setParam(f.first, f.second.isNull() ? QStringLiteral("") : f.second);
    q.execSql();
}
