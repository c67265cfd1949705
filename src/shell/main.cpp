#include "platform/formbase.h"
#include "shell/minibrowseform.h"
#include "shell/startup.h"

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    // Windows hide and show all the time; the program ends when the main window closes.
    app.setQuitOnLastWindowClosed(false);
    QStringList args = app.arguments();
    args.removeFirst();
    int result = 1;
    if (PStartUp(QCoreApplication::applicationDirPath(), args)) {
        PMiniBrowseForm->Show();
        result = app.exec();
    }
    PShutDown();
    return result;
}
