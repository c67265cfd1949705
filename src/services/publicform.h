#pragma once
// The hidden shared window: list views and a memo that several windows use as work space, and
// the background-music timer.

#include "platform/formbase.h"
#include "platform/playtimer.h"

#include <functional>
#include <memory>

class QPlainTextEdit;
class QTreeWidget;

class TPPublicForm : public TPForm {
    Q_OBJECT
public:
    explicit TPPublicForm(QWidget *parent = nullptr);
    ~TPPublicForm() override;

    QTreeWidget *P_LVtest;   // working list of crazy spell, quick recall and meaning matching
    QTreeWidget *P_LVmini;   // the mini browser's words
    QPlainTextEdit *P_Memo;  // scratch text buffer
    TPlayTimer *TimerPlayMusic;  // repeats the play command of the background music

    // Opens the small dictionary on Word; Mode "no" hides its move and delete groups.
    void PShowWordInDict(const QString &Word, const QString &Mode);

public slots:
    void TimerPlayMusicTimer();

private:
    std::unique_ptr<TPlayTimer> m_timerPlayMusic;
};

extern TPPublicForm *PPublicForm;

