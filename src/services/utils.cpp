#include "services/utils.h"

#include "platform/clock.h"

#include "platform/dialogs.h"

#include <QBrush>
#include <QFileInfo>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

QPixmap *PBackBitmap = nullptr;

void PLoadFormBackground(QWidget *Form)
{
    // Looked for where the learner started the program, as it always was.
    const QString path = QStringLiteral("back.bmp");
    if (!Form || !QFileInfo(path).isFile())
        return;
    QPixmap pixmap;
    if (!pixmap.load(path))
        return;
    if (PBackBitmap)
        *PBackBitmap = pixmap;
    QPalette palette = Form->palette();
    palette.setBrush(Form->backgroundRole(), QBrush(pixmap));
    Form->setPalette(palette);
    Form->setAutoFillBackground(true);
}

bool PIsPrintableAscii(const QString &Text)
{
    for (QChar c : Text)
        if (c.unicode() < 32 || c.unicode() > 126)
            return false;
    return true;
}

bool PIsLettersOnly(const QString &Text)
{
    for (QChar c : Text) {
        const ushort u = c.unicode();
        if (!((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')))
            return false;
    }
    return true;
}

bool PCheckWordAndMeaning(const QString &Word, const QString &Meaning)
{
    if (Word.isEmpty() || Meaning.isEmpty()) {
        PDialogs().message(QStringLiteral("单词和解释都不能为空"));
        return true;
    }
    if (Word == Meaning) {
        PDialogs().message(QStringLiteral("单词和解释不能完全相同"));
        return true;
    }
    return false;
}

QString PSecondsToText(qint64 Seconds)
{
    // Truncating division, as the old integer arithmetic did, also for negative values.
    const qint64 hours = Seconds / 3600;
    const qint64 minutes = (Seconds % 3600) / 60;
    const qint64 seconds = Seconds % 60;
    return QString::number(hours) + QStringLiteral("时") + QString::number(minutes) + QStringLiteral("分") +
           QString::number(seconds) + QStringLiteral("秒");
}

QString PShortDateText(const QDate &date)
{
    // Built by hand: the machine's locale must never change how dates are written.
    return QString::number(date.year()) + QLatin1Char('-') + QString::number(date.month()) + QLatin1Char('-') +
           QString::number(date.day());
}

QString PDateText(const QDate &date)
{
    QString s = PShortDateText(date);
    if (s.size() >= 7 && s.at(6) == QLatin1Char('-'))
        s.insert(5, QLatin1Char('0'));
    if (s.size() >= 2 && s.at(s.size() - 2) == QLatin1Char('-'))
        s.insert(s.size() - 1, QLatin1Char('0'));
    return s;
}

QString PTodayText() { return PDateText(PToday()); }

QString PShortDateText() { return PShortDateText(PToday()); }
