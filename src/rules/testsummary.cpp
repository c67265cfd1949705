#include "rules/testsummary.h"

int PPercent(int Part, int Total)
{
    if (Total <= 0)
        return 0;
    return int(qint64(Part) * 100 / Total);
}

QString PSelectSummaryText(int Right, int Regrets, int Total, const QString &BrowseTime, const QString &TestTime)
{
    return QStringLiteral("\n做对%1题\n正确率 %2%\n掌握率 %3%\n浏览用时 %4\n测试用时 %5")
        .arg(Right)
        .arg(PPercent(Right, Total))
        .arg(PPercent(Right - Regrets, Total))
        .arg(BrowseTime, TestTime);
}
