#include "services/phonetic.h"

#include "core/datamodule.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QHash>
#include <QStringDecoder>
#include <QTextEdit>

const QString PPhoneticFontName = QStringLiteral("Kingsoft Phonetic Plain");

namespace {

// The file may be UTF-8 or in the Chinese code page it was once written in; each line is
// taken as UTF-8 when it is valid UTF-8.
QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        const QString t = gb.decode(bytes);
        if (!gb.hasError())
            return t;
    }
    return QString::fromLatin1(bytes);
}

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
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        registered.insert(path, families.isEmpty() ? PPhoneticFontName : families.first());
    }
    QFont f = Control->font();
    f.setFamily(registered.value(path));
    Control->setFont(f);
}

}  // namespace

void PLookupPhonetic(const QString &Word, QString &Phonetic)
{
    QFile file(PProgramDir + QStringLiteral("WordPron.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    bool first = true;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        first = false;
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const int bar = line.indexOf('|');
        if (bar < 0)
            continue;
        if (decodeLine(line.left(bar)) == Word) {
            Phonetic = decodeLine(line.mid(bar + 1));
            return;
        }
    }
}

void PApplyPhoneticFont(QWidget *Control) { applyPhoneticFont(Control); }

void PApplyPhoneticFont2(QWidget *Control) { applyPhoneticFont(Control); }
