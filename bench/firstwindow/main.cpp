// Lexorin's start as far as its first window: starts on the bank in the folder given, paints the
// first window and ends.

#include "platform/formbase.h"
#include "shell/minibrowseform.h"
#include "shell/startup.h"

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || !PStartUp(args.at(1), {}))
        return 3;
    PMiniBrowseForm->Show();
    QCoreApplication::processEvents();
    PMiniBrowseForm->repaint();
    return PMiniBrowseForm->isVisible() ? 0 : 4;
}
