#include "wordlists/newwordrow.h"

#include "core/datamodule.h"
#include "services/utils.h"

#include <QStringList>
#include <utility>

void PInsertNewWord(const QString &T, const TPNewWord &W)
{
    PCheckName(T);
    const std::pair<const char *, QString> fields[] = {
        {"单词", W.Word},
        {"音标", W.Pron},
        {"解释", W.Mean},
        {"联想", QString()},
        {"详解", W.Expl},
        {"例句", W.Sent},
        {"做过次数", QStringLiteral("0")},
        {"做错次数", QStringLiteral("0")},
        {"经验点数", QStringLiteral("10")},
        {"所属类别", QString()},
        {"上次是否做对", W.LastResult},
        {"最近测试时间", PTodayText()},
        {"掌握类型", QStringLiteral("00")},
    };
    QStringList names, params;
    for (const auto &f : fields) {
        names << QString::fromUtf8(f.first);
        params << QLatin1Char(':') + names.last();
    }
    JetQuery &q = Pdatamodule->PQuery;
    q.setSql(QStringLiteral("insert into ") + T + QLatin1Char('(') + names.join(QLatin1Char(',')) +
             QStringLiteral(") values(") + params.join(QLatin1Char(',')) + QLatin1Char(')'));
    for (const auto &f : fields)
        // An empty text is stored as such, not as a missing value.
        q.setParam(QString::fromUtf8(f.first), f.second.isNull() ? QStringLiteral("") : f.second);
    q.execSql();
}
