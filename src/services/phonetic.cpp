#include "services/phonetic.h"

#include "core/bankmaint.h"
#include "core/datamodule.h"
#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QHash>
#include <QTextEdit>
#include <utility>

const QString PPhoneticFontName = QStringLiteral("Kingsoft Phonetic Plain");

namespace {

void emptyControl(QWidget *c)
{
    if (auto *w = qobject_cast<QLabel *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QLineEdit *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QTextEdit *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QPlainTextEdit *>(c))
        w->clear();
    else if (auto *w = qobject_cast<QAbstractButton *>(c))
        w->setText(QString());
    else if (auto *w = qobject_cast<QComboBox *>(c))
        w->setEditText(QString());
}

void applyPhoneticFont(QWidget *Control)
{
    const QString path = PProgramDir + QStringLiteral("ksphonet.ttf");
    if (!QFileInfo(path).isFile()) {
        emptyControl(Control);
        return;
    }
    // Registered once per run: the font database would otherwise hold a copy per call. The
    // control gets the family the file really holds, so any IPA font in its place shows.
    static QHash<QString, QString> registered;
    if (!registered.contains(path)) {
        // The open bank in the font's place is no font: it is not read, and counts as no font
        // file. Said once, as each window showing phonetics asks for the font.
        const QString refusal = POpenBankFileRefusal(path);
        if (!refusal.isEmpty()) {
            static bool told = false;
            if (!std::exchange(told, true))
                PDialogs().message(refusal, QString(), Dialogs::Critical);
            emptyControl(Control);
            return;
        }
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        registered.insert(path, families.isEmpty() ? PPhoneticFontName : families.first());
    }
    QFont f = Control->font();
    f.setFamily(registered.value(path));
    Control->setFont(f);
}

}  // namespace

void PApplyPhoneticFont(QWidget *Control) { applyPhoneticFont(Control); }

void PApplyPhoneticFont2(QWidget *Control) { applyPhoneticFont(Control); }
