#include "tools/testresults.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/dialogs.h"
#include "rules/experience.h"

bool PWriteAnsweredWords(const QString &List, const QStringList &Fields, const QList<TPAnsweredWord> &Words)
{
    try {
        JetTransaction t(Pdatamodule->PConnection);
        for (const TPAnsweredWord &w : Words) {
            for (int i = 0; i < Fields.size(); ++i)
                Pdatamodule->PUpdateOneDataFromTable(List, Col::Word, Fields.at(i), w.word, w.values.value(i));
            Pdatamodule->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::LastRight, w.word, w.lastRight);
        }
        t.commit();
        return true;
    } catch (const EngineError &) {
        // Half a test written would leave counts that no later test can put right.
        PDialogs().message(QStringLiteral("词库更新失败"), QString(), Dialogs::Critical);
        return false;
    }
}

qint64 PAddLessonExperience(qint64 Lesson)
{
    qint64 total = Lesson;
    try {
        Pdatamodule->PSelectAllFromTable(Tbl::UserTable);
        JetQuery &q = Pdatamodule->PQuery;
        q.open();
        const QString first = q.eof() ? QString() : q.fieldByName(Col::UserExperience);
        q.close();
        total += PCounterValue(first);
        Pdatamodule->PUpdateOneFieldFromTable(Tbl::UserTable, Col::UserExperience, QString::number(total));
    } catch (const EngineError &) {
        Pdatamodule->PQuery.close();  // the summary is shown all the same
    }
    return total;
}
