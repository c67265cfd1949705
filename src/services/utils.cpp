#include "services/utils.h"

#include "core/bankmaint.h"
#include "platform/dialogs.h"

#include <QBrush>
#include <QFileInfo>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <utility>

QPixmap *PBackBitmap = nullptr;

void PLoadFormBackground(QWidget *Form)
{
    // A relative name: the picture is looked for in the folder the learner started the program from.
    const QString path = QStringLiteral("back.bmp");
    if (!Form || !QFileInfo(path).isFile())
        return;
    const QString refusal = POpenBankFileRefusal(path);
    if (!refusal.isEmpty()) {
        // Said once: every window asks for the background as it is made.
        static bool told = false;
        if (!std::exchange(told, true))
            PDialogs().message(refusal, QString(), Dialogs::Critical);
        return;
    }
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
    // Each part truncates toward zero, so a negative duration gives negative parts, never a borrow.
    const qint64 hours = Seconds / 3600;
    const qint64 minutes = (Seconds % 3600) / 60;
    const qint64 seconds = Seconds % 60;
    return QString::number(hours) + QStringLiteral("时") + QString::number(minutes) + QStringLiteral("分") +
           QString::number(seconds) + QStringLiteral("秒");
}
