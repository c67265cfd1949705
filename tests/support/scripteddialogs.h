#pragma once
// A stand-in for the dialogs that tests script: answers are taken in order, and every box shown
// is recorded with its kind, title and text.

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;  // "message", "ask", "input", "open", "save", "color"
        QString title;
        QString text;
        Icon icon = NoIcon;
        Buttons buttons = OkOnly;  // of a question
    };

    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs() override;  // puts the previous dialogs back

    // Answers, each consumed by the next box of its kind. Unscripted boxes answer No/Cancel/empty.
    void answer(Answer a) { m_answers << a; }
    void answerInput(const QString &value) { m_inputs << value; m_inputOk << true; }
    void cancelInput() { m_inputs << QString(); m_inputOk << false; }
    void answerFile(const QString &path) { m_files << path; }
    void answerColor(const QColor &c) { m_colors << c; }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;  // the texts of every box, in order
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    void clear() { m_shown.clear(); }

    void message(const QString &text, const QString &title, Icon icon) override;
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    bool input(const QString &title, const QString &prompt, QString &value) override;
    QString openFile(const QString &title, const QString &filter, const QString &dir) override;
    QString saveFile(const QString &title, const QString &filter, const QString &dir) override;
    bool chooseColor(QColor &color) override;

    QString lastFilter() const { return m_lastFilter; }

private:
    Dialogs *m_previous;
    QList<Shown> m_shown;
    QList<Answer> m_answers;
    QStringList m_inputs;
    QList<bool> m_inputOk;
    QStringList m_files;
    QList<QColor> m_colors;
    QString m_lastFilter;
};
