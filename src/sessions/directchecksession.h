#pragma once
// Tick-to-memorise as plain data: the words of a list as shown (filtered, sorted), each with its
// tick and its shown meaning, and the row the look-up and the pronunciation act on.

#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

#include <QVector>

// A word as the list shows it: the three fields it reads of the row.
struct TPTickWord {
    QString word;
    QString masterType;
    QString lastTested;
};
Q_DECLARE_TYPEINFO(TPTickWord, Q_RELOCATABLE_TYPE);
using TPTickWords = QList<TPTickWord>;

// What the list adds to a word row: its tick and the meaning shown (empty while hidden).
struct TPTickMark {
    bool ticked = false;
    QString meaning;
};
Q_DECLARE_TYPEINFO(TPTickMark, Q_RELOCATABLE_TYPE);

class TPDirectCheckSession {
public:
    enum class Filter { All, Mastered, Unmastered };
    // The filter a drop-down text names: "只显示已掌握的", "只显示未掌握的", anything else all.
    static Filter filterOf(const QString &Text);

    // The list's rows anew under Filter, none ticked, no meaning shown; the remembered row is the first.
    void load(TPTickWords List, Filter F);
    Filter filter() const { return m_filter; }

    // Row's word (单词, 掌握类型, 最近测试时间 as the list holds them), tick and meaning shown.
    const TPTickWord &word(int Row) const { return m_words.at(Row); }
    bool isTicked(int Row) const { return m_marks.at(Row).ticked; }
    const QString &meaning(int Row) const { return m_marks.at(Row).meaning; }
    int count() const { return int(m_words.size()); }
    bool valid(int Row) const { return Row >= 0 && Row < count(); }

    // The remembered row (the last selected); -1 when it no longer names a row.
    int checkIndex() const { return valid(m_checkIndex) ? m_checkIndex : -1; }
    void select(int Row) { m_checkIndex = Row; }

    // Sorts by a column (0 word, 1 master type, 2 meaning, 3 date), ascending and descending in
    // turn; the remembered row is forgotten.
    void sortBy(int Column);

    void setTicked(int Row, bool Ticked);
    void tickAll();
    void invertTicks();
    void tickMastered();
    QList<int> ticked() const;
    int tickedCount() const;
    QStringList tickedWords() const;

    // A double-click on Row: mastered ("11", dated today) unless it shows "11", then "00". What to
    // store; nothing for no row.
    TPWriteBack toggleWrite(const QString &Table, int Row, const QString &Today) const;
    // Whether the toggle of Row takes it out of the view under the filter.
    bool leavesOnToggle(int Row) const;
    // Shows the stored toggle; true when the row left the view under the filter.
    bool toggled(int Row, const QString &Today);

    // The ticked rows marked Master ("11" also dates them today): what to store, then shown.
    TPWriteBack markWrite(const QString &Table, const QString &Master, const QString &Today) const;
    void marked(const QString &Master, const QString &Today);

    void showMeaning(int Row, const QString &Meaning);
    void hideMeaning(int Row);
    // The ticked rows (deleted or moved) leave the view; the remembered position stays.
    void removeTicked();

private:
    void mark(int Row, const QString &Master, const QString &Today);

    // The rows as read, kept as they came; a long list is not copied into rows of another kind.
    TPTickWords m_words;
    QVector<TPTickMark> m_marks;  // one per row of m_words
    Filter m_filter = Filter::All;
    int m_checkIndex = 0;
    bool m_descending = false;  // the first sort is descending, as in every list of the program
};
