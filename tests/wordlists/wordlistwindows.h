#pragma once
// What the tests of the word-list windows share: a bank with its learner row, showing a window
// modally while the test acts in it, answering the target chooser, and reading rows back.

#include "platform/formbase.h"
#include "support/bankfixture.h"

#include <QStringList>
#include <functional>

class QTreeWidget;

class WordListWindows : public BankFixture {
protected:
    void SetUp() override;

    // Shows form modally and, once its activation ran, runs whileOpen; closes it afterwards if
    // still open. False when the window never got that far.
    bool whileShown(TPForm *form, const std::function<void()> &whileOpen);
    // The next target chooser picks choice (or is cancelled for an empty choice) and records
    // what it offered in offered.
    void answerChooser(const QString &choice, QStringList *offered = nullptr);
    // Every row of a list view: caption, then its sub-items.
    static QList<QStringList> rows(const QTreeWidget *view);
    static QStringList captions(const QTreeWidget *view);
    // The texts of the message boxes shown, in order.
    QStringList messages() const;
    void newList(const QString &name);
    // One field of the first row of T holding word.
    QString field(const QString &T, const QString &word, const QString &name);
};
