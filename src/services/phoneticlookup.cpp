#include "services/phoneticlookup.h"

#include "core/datamodule.h"
#include "platform/textcodec.h"

void PLookupPhonetic(const QString &Word, QString &Phonetic)
{
    QString text;
    if (!PReadTextFile(PProgramDir + QStringLiteral("WordPron.dat"), text))
        return;
    for (const QString &line : PSplitLines(text)) {
        const int bar = line.indexOf(QLatin1Char('|'));
        if (bar >= 0 && QStringView(line).left(bar) == Word) {
            Phonetic = line.mid(bar + 1);
            return;
        }
    }
}
