#pragma once
// The welcome window: the learner's home, from which every other window is reached.

#include "platform/formbase.h"

class TPWelcomeForm : public TPForm {
    Q_OBJECT
public:
    explicit TPWelcomeForm(QWidget *parent = nullptr);
};

extern TPWelcomeForm *PWelcomeForm;
