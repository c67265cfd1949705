// Lexorin's start as far as its first window: starts on the bank in the folder given, paints the
// first window and ends.

#include "firstwindow/paintcheck.h"
#include "platform/formbase.h"
#include "shell/minibrowseform.h"
#include "shell/startup.h"

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || !PStartUp(args.at(1), {}))
        return 3;
    TPPaintCheck painted(PMiniBrowseForm);
    PMiniBrowseForm->Show();
    QCoreApplication::processEvents();
    PMiniBrowseForm->repaint();
    return painted.painted() ? 0 : 4;
}
