#include "rules/builderrow.h"

#include <QStringDecoder>

const QStringList &TPBuilderRow::fields()
{
    static const QStringList f = {Col::ID,       Col::Word,      Col::TimesDone,  Col::TimesWrong,
                                  Col::Category, Col::LastRight, Col::LastTested, Col::MasterType};
    return f;
}

TPBuilderRow::TPBuilderRow(const TPWordRecord &r)
{
    for (int c = 0; c < Columns; ++c) {
        m_texts += r.field(fields().at(c));
        m_ends[size_t(c)] = int(m_texts.size());
    }
}

TPBuilderRow TPBuilderRow::fromUtf8(const std::array<QByteArrayView, Columns> &columns)
{
    TPBuilderRow row;
    qsizetype bytes = 0;
    for (const QByteArrayView &c : columns)
        bytes += c.size();
    row.m_texts.resize(bytes);  // UTF-16 never needs more units than UTF-8 has bytes
    QChar *const start = row.m_texts.data();
    QChar *end = start;
    // Each column decodes on its own; a byte-order mark is a character of the text.
    QStringDecoder decode(QStringConverter::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    for (int c = 0; c < Columns; ++c) {
        end = decode.appendToBuffer(end, columns[size_t(c)]);
        row.m_ends[size_t(c)] = int(end - start);
    }
    row.m_texts.truncate(end - start);
    return row;
}

void TPBuilderRow::setText(int column, QStringView value)
{
    if (column < 0 || column >= Columns)
        return;
    QString texts;
    std::array<int, Columns> ends{};
    texts.reserve(m_texts.size() - text(column).size() + value.size());
    for (int c = 0; c < Columns; ++c) {
        texts += c == column ? value : text(c);
        ends[size_t(c)] = int(texts.size());
    }
    m_texts = texts;
    m_ends = ends;
}

TPWordRecord TPBuilderRow::record() const
{
    TPWordRecord r;
    for (int c = 0; c < Columns; ++c)
        r.setField(fields().at(c), string(c));
    return r;
}
