#include "rules/optionbuilder.h"

#include <algorithm>

QString PNormalTestType(const QString &Type)
{
    if (Type == TestType::CnToEn || Type == TestType::ListenToCn)
        return Type;
    return TestType::EnToCn;
}

int PClampOptionCount(int Count, int GroupSize)
{
    return std::min(std::clamp(Count, 3, 6), std::max(GroupSize, 0));
}

QString PAnswerText(const TPGroupRow &Row, const QString &Type)
{
    return Type == TestType::CnToEn ? Row.word : Row.explanation;
}

QVector<TPOptionRow> PDrawOptions(const QVector<TPGroupRow> &Group, const QString &Type, int Count, TPRandom &Random)
{
    QVector<TPOptionRow> rows;
    rows.reserve(Group.size());
    QVector<int> pool;
    pool.reserve(Group.size());
    for (int i = 0; i < Group.size(); ++i) {
        TPOptionRow q{Group[i], {PAnswerText(Group[i], Type)}};
        // The pool is every other row by position, so a spelling stored twice still counts once per row.
        pool.clear();
        for (int p = 0; p < Group.size(); ++p) {
            if (p != i)
                pool.append(p);
        }
        for (int j = 2; j <= Count && !pool.isEmpty(); ++j) {
            const int r = Random.below(int(pool.size()));
            q.options << PAnswerText(Group[pool[r]], Type);
            pool.remove(r);
        }
        rows.append(q);
    }
    return rows;
}

void PShuffleRightOption(QVector<TPOptionRow> &Rows, int Count, TPRandom &Random)
{
    for (TPOptionRow &q : Rows) {
        const int k = Random.below(Count);
        if (k > 0 && k < q.options.size())
            q.options.swapItemsAt(0, k);
    }
}

QVector<TPOptionRow> PBuildOptionRows(const QVector<TPGroupRow> &Group, const QString &Type, int Count,
                                      TPRandom &Random)
{
    const QString type = PNormalTestType(Type);
    const int count = PClampOptionCount(Count, int(Group.size()));
    QVector<TPOptionRow> rows = PDrawOptions(Group, type, count, Random);
    PShuffleRightOption(rows, count, Random);
    return rows;
}
