#include "wordlists/richsentences.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

QString PStoredSentences(const QTextEdit *Box) { return Box->toHtml(); }

void PShowStoredSentences(QTextEdit *Box, const QString &Stored)
{
    if (Stored.startsWith(QLatin1String("<!DOCTYPE HTML"), Qt::CaseInsensitive))
        Box->setHtml(Stored);
    else
        Box->setPlainText(Stored);
}

void PEmphasise(QTextEdit *Box, TPEmphasis Emphasis)
{
    QTextCursor cursor = Box->textCursor();
    if (Emphasis == EmphasisNone) {
        QTextCharFormat plain;
        plain.setFont(Box->font());
        plain.setForeground(Box->palette().text());
        cursor.setCharFormat(plain);
        return;
    }
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    if (Emphasis == EmphasisBoldRed)
        f.setForeground(QColor(255, 0, 0));
    cursor.mergeCharFormat(f);
}
