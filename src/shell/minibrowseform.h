#pragma once
// The mini browser: the main window, a small bar on top of the desktop that flashes words.

#include "platform/formbase.h"

class QTimer;

class TPMiniBrowseForm : public TPForm {
    Q_OBJECT
public:
    explicit TPMiniBrowseForm(QWidget *parent = nullptr);

    void PLoadWords(const QString &Kind, const QString &Table, const QString &Mode);

    QTimer *TimerApp;

private:
    void TimerAppTimer();
};

extern TPMiniBrowseForm *PMiniBrowseForm;
// Ticks of the application timer since start.
extern int PAppTicks;
