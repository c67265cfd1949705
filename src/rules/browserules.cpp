#include "rules/browserules.h"

QStringList PBrowseModes()
{
    return {QStringLiteral("正常浏览"), QStringLiteral("词义回想"), QStringLiteral("单词回想")};
}

std::optional<TPBrowseModeLayout> PBrowseModeLayout(const QString &Mode)
{
    const QStringList modes = PBrowseModes();
    if (Mode == modes[0])
        return TPBrowseModeLayout{120, 329,
                                  {QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                                   QStringLiteral("Edit4"), QStringLiteral("ReExpl"), QStringLiteral("ReSent")},
                                  {}};
    if (Mode == modes[1])
        return TPBrowseModeLayout{429, 20, {QStringLiteral("Edit1"), QStringLiteral("Edit4")},
                                  {QStringLiteral("Edit2"), QStringLiteral("Edit3"), QStringLiteral("ReExpl")}};
    if (Mode == modes[2])
        return TPBrowseModeLayout{20, 429,
                                  {QStringLiteral("Edit2"), QStringLiteral("Edit3"), QStringLiteral("ReExpl")},
                                  {QStringLiteral("Edit1"), QStringLiteral("Edit4")}};
    return std::nullopt;
}

TPAutoBrowseStep PAutoBrowseStep(int Index, int Count)
{
    if (Index < 0 || Index >= Count)
        return {-1, -1, 0};
    // Row 0 follows the last row: the walk wraps round and lets go of where it came from.
    return {Index, Index > 0 ? Index - 1 : Count - 1, Index + 1};
}
