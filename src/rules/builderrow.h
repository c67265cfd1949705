#pragma once
// One row of the study-group builder's lists: its eight column texts, ID first, one after another
// in one buffer. A current list runs to tens of thousands of words: a string per field made reading
// and drawing it cost far more than the bank's own read, and a list item can share the buffer.

#include "vocab/wordrecord.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

class TPBuilderRow {
public:
    // The builder's columns, left to right.
    enum Column { Id, Word, TimesDone, TimesWrong, Category, LastRight, LastTested, MasterType };
    static constexpr int Columns = 8;

    // The Col:: names of the columns, left to right.
    static const QStringList &fields();
    // The column holding a Col:: name; -1 for a field the row does not hold.
    static int columnOf(const QString &field) { return int(fields().indexOf(field)); }

    TPBuilderRow() = default;
    // The builder's fields of a word record; implicit, so that a braced list of records makes rows.
    TPBuilderRow(const TPWordRecord &r);
    // The row of the columns' UTF-8 texts as the bank returns them, decoded into one buffer.
    static TPBuilderRow fromUtf8(const std::array<QByteArrayView, Columns> &columns);

    QStringView text(int column) const
    {
        if (column < 0 || column >= Columns)
            return {};
        const int from = column == 0 ? 0 : m_ends[size_t(column - 1)];
        return QStringView(m_texts).mid(from, m_ends[size_t(column)] - from);
    }
    QString string(int column) const { return text(column).toString(); }
    void setText(int column, QStringView value);
    TPWordRecord record() const;

    // The buffer and where each column ends in it, for a list item to share.
    const QString &texts() const { return m_texts; }
    const int *ends() const { return m_ends.data(); }

private:
    QString m_texts;
    std::array<int, Columns> m_ends{};
};

Q_DECLARE_TYPEINFO(TPBuilderRow, Q_RELOCATABLE_TYPE);

using TPBuilderRows = QList<TPBuilderRow>;
