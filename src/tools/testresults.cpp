#include "tools/testresults.h"

#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/writeback.h"
#include "platform/dialogs.h"
#include "rules/experience.h"
#include "vocab/bankvocab.h"

#include <QTreeWidget>

qint64 PWriteTestResults(const TPWriteBack &W, const QString &Counter)
{
    QList<qint64> totals;
    if (PWriteBack(W, QStringLiteral("词库更新失败"), &totals)) {
        for (int i = 0; i < W.learnerAdds.size(); ++i)
            if (W.learnerAdds.at(i).first == Counter)
                return totals.value(i);
        return 0;
    }
    // Nothing was written; the summary still tells what the test was worth.
    qint64 add = 0;
    for (const auto &a : W.learnerAdds)
        if (a.first == Counter)
            add = PCounterSum(add, a.second);
    JetQuery &q = Pdatamodule->PQuery;
    try {
        Pdatamodule->PSelectAllFromTable(Tbl::UserTable);
        q.open();
        const QString first = q.eof() ? QString() : q.fieldByName(Counter);
        q.close();
        return PCounterSum(PCounterValue(first), add);
    } catch (const EngineError &) {
        q.close();
        return add;
    }
}

QStringList PTakeWrongWordsOfGroup()
{
    QStringList wrong;
    JetQuery &q = Pdatamodule->PQuery;
    try {
        Pdatamodule->PSelectAllFromTable(Tbl::TempTable);
        q.open();
        const int last = q.fieldIndex(Col::LastRight), word = q.fieldIndex(Col::Word);
        for (; !q.eof(); q.next())
            if (q.fieldAt(last) == Code::Wrong)
                wrong << q.fieldAt(word);
        q.close();
    } catch (const EngineError &) {
        q.close();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
    return wrong;
}

void PShowRecords(QTreeWidget *View, const TPWordRecords &Rows, const QStringList &Fields)
{
    View->setUpdatesEnabled(false);
    PClearItems(View);
    QStringList subs;
    for (const TPWordRecord &r : Rows) {
        subs.clear();
        for (int i = 1; i < Fields.size(); ++i)
            subs << r.field(Fields.at(i));
        PAddItem(View, r.field(Fields.value(0)), subs);
    }
    View->setUpdatesEnabled(true);
}
