#include "wordlists/richtext.h"

#include <QTextEdit>

namespace {
// The header every rich-text source starts with.
const QString kHeader = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\"");
}  // namespace

bool PIsRichSource(const QString &Text) { return Text.startsWith(kHeader); }

QString PRichSource(const QTextEdit *Box) { return Box->toHtml(); }

void PShowStoredText(QTextEdit *Box, const QString &Stored)
{
    if (PIsRichSource(Stored))
        Box->setHtml(Stored);
    else
        Box->setPlainText(Stored);
}
