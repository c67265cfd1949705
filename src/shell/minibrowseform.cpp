#include "shell/minibrowseform.h"

#include "shell/welcomeform.h"

#include <QTimer>

TPMiniBrowseForm *PMiniBrowseForm = nullptr;
int PAppTicks = 0;

TPMiniBrowseForm::TPMiniBrowseForm(QWidget *parent) : TPForm(parent)
{
    setObjectName(QStringLiteral("PMiniBrowseForm"));
    setWindowTitle(QStringLiteral("Lexorin"));
    resize(400, 40);
    TimerApp = new QTimer(this);
    TimerApp->setObjectName(QStringLiteral("TimerApp"));
    TimerApp->setInterval(1000);
    PConnect(TimerApp, &QTimer::timeout, this, &TPMiniBrowseForm::TimerAppTimer);
    TimerApp->start();
}

void TPMiniBrowseForm::PLoadWords(const QString &, const QString &, const QString &) {}

void TPMiniBrowseForm::TimerAppTimer()
{
    ++PAppTicks;
    if (PAppTicks == 1) {
        hide();
        if (PWelcomeForm)
            PWelcomeForm->Show();
    }
}
