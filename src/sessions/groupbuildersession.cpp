#include "sessions/groupbuildersession.h"

#include "vocab/bankvocab.h"

const QStringList &TPGroupBuilderSession::columns() { return TPBuilderRow::fields(); }

void TPGroupBuilderSession::load(TPBuilderRows candidates)
{
    m_lists = TPGroupLists(std::move(candidates), {});
}

QString TPGroupBuilderSession::selectFlagText() const
{
    return QStringLiteral("第") + QString::number(m_lastSelected + 1) + QStringLiteral("项");
}

QList<TPGroupMove> TPGroupBuilderSession::recordingMoves(const std::function<void()> &act)
{
    QList<TPGroupMove> moves;
    m_lists.setObserver([&moves](TPSide from, int index) { moves.append({from, index}); });
    try {
        act();
    } catch (...) {
        m_lists.setObserver(nullptr);
        throw;
    }
    m_lists.setObserver(nullptr);
    return moves;
}

QList<TPGroupMove> TPGroupBuilderSession::moveSelected(TPSide from, const QList<int> &selected)
{
    return recordingMoves([&] { m_lists.PMoveSelectedItems(from, selected); });
}

QList<TPGroupMove> TPGroupBuilderSession::moveSameColumn(const QList<int> &selected, int column)
{
    if (column < 0 || column >= columns().size())
        return {};
    return recordingMoves([&] { m_lists.PMoveSameColumnItems(SideCandidates, selected, columns().at(column)); });
}

TPAutoCreateOutcome TPGroupBuilderSession::autoCreate(const QString &today, const QDateTime &now, TPRandom &random,
                                                      const std::function<TPBuilderRows(bool)> &reload)
{
    TPAutoCreateOutcome out;
    TPSelectionContext c;
    c.n = m_settings.n;
    c.mode = m_settings.mode;
    c.r1 = m_settings.r1;
    c.r2 = m_settings.r2;
    c.r3 = m_settings.r3;
    c.today = today;
    c.now = now;
    c.random = &random;
    QList<TPGroupMove> &moves = out.moves;
    c.reload = [&](bool descending) {
        out.reloaded = true;
        moves.clear();
        return reload ? reload(descending) : TPBuilderRows();
    };
    m_lists.setObserver([&moves](TPSide from, int index) { moves.append({from, index}); });
    try {
        out.message = PAutoCreateGroup(m_lists, c);
    } catch (const TPRuleError &e) {
        out.message = e.message();
        out.error = true;
    }
    m_lists.setObserver(nullptr);
    return out;
}

QList<int> TPGroupBuilderSession::sortByColumn(TPSide side, int column)
{
    if (column < 0 || column >= columns().size())
        return {};
    m_descending[side] = !m_descending[side];
    return m_lists.sort(side, columns().at(column), m_descending[side]);
}

void TPGroupBuilderSession::setField(TPSide side, const QList<int> &indices, const QString &field,
                                     const QString &value)
{
    const int column = TPBuilderRow::columnOf(field);
    for (int i : indices) {
        if (i >= 0 && i < count(side))
            m_lists.at(side, i).setText(column, value);
    }
}

QString TPGroupBuilderSession::groupRefusal() const
{
    const int chosen = count(SideChosen);
    if (chosen < 6)
        return QStringLiteral("至少要选6个单词");
    if (chosen > 100 && m_settings.tool == ToolName::MultipleChoice)
        return QStringLiteral("本学习器至多允许选100个单词");
    return QString();
}

TPGroupBuilderSession::Test TPGroupBuilderSession::test() const
{
    if (m_settings.tool == ToolName::Spell)
        return Test::Spell;
    if (m_settings.tool == ToolName::MultipleChoice)
        return Test::MultipleChoice;
    return Test::None;
}
