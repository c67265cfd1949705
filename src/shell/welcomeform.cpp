#include "shell/welcomeform.h"

TPWelcomeForm *PWelcomeForm = nullptr;

TPWelcomeForm::TPWelcomeForm(QWidget *parent) : TPForm(parent)
{
    setObjectName(QStringLiteral("PWelcomeForm"));
    setWindowTitle(QStringLiteral("Lexorin"));
    resize(342, 207);
}
