#include "wordlists/wordlistwindows.h"

#include "core/currentlist.h"
#include "core/listviews.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

void WordListWindows::SetUp()
{
    BankFixture::SetUp();
    PEnsureUserRow();
    PLoadCurrentTableName();
}

bool WordListWindows::whileShown(TPForm *form, const std::function<void()> &whileOpen)
{
    bool reached = false;
    // This showing's own activation: one from an earlier showing must not start the test early.
    const int before = form->activationCount();
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (form->activationCount() == before || !form->isVisible())
            return;
        poll.stop();
        reached = true;
        whileOpen();
        if (form->isVisible())
            form->close();
    });
    poll.start();
    form->ShowModal();
    return reached;
}

void WordListWindows::answerChooser(const QString &choice, QStringList *offered)
{
    QTimer::singleShot(0, [choice, offered] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() != QLatin1String("PChooseForm") || !w->isVisible())
                continue;
            auto *combo = w->findChild<QComboBox *>(QStringLiteral("PChooseCombo"));
            if (offered)
                for (int i = 0; i < combo->count(); ++i)
                    *offered << combo->itemText(i);
            if (choice.isEmpty()) {
                w->findChild<QPushButton *>(QStringLiteral("PChooseCancel"))->click();
            } else {
                combo->setCurrentText(choice);
                w->findChild<QPushButton *>(QStringLiteral("PChooseOK"))->click();
            }
            return;
        }
        ADD_FAILURE() << "no chooser showed";
    });
}

QList<QStringList> WordListWindows::rows(const QTreeWidget *view)
{
    QList<QStringList> out;
    for (int i = 0; i < PItemCount(view); ++i) {
        const QTreeWidgetItem *item = PItemAt(view, i);
        QStringList row{PCaption(item)};
        for (int k = 0; k < PSubItemCount(item); ++k)
            row << PSubItem(item, k);
        out << row;
    }
    return out;
}

QStringList WordListWindows::captions(const QTreeWidget *view)
{
    QStringList out;
    for (int i = 0; i < PItemCount(view); ++i)
        out << PCaption(PItemAt(view, i));
    return out;
}

QStringList WordListWindows::messages() const
{
    QStringList out;
    for (const auto &s : dialogs->shown())
        if (s.kind == QLatin1String("message"))
            out << s.text;
    return out;
}

void WordListWindows::newList(const QString &name)
{
    dm->PCreateNewWordTable(QStringLiteral("WordTable"), name, QStringLiteral("addname"));
}

QString WordListWindows::field(const QString &T, const QString &word, const QString &name)
{
    return dm->PGetOneDataFromTable(name, T, QStringLiteral("单词"), word);
}
