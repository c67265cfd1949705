#include "core/datamodule.h"
#include "platform/formbase.h"

#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    TPdatamodule dm(QCoreApplication::applicationDirPath(), args);
    if (PTerminateRequested)
        return 1;

    // Until the program's own windows exist: the open bank and its size.
    QWidget w;
    w.setWindowTitle(QStringLiteral("Lexorin"));
    auto *layout = new QVBoxLayout(&w);
    int count = 0;
    PGuard([&] { count = dm.PGetCountFromTable(QStringLiteral("WordTable")); });
    layout->addWidget(new QLabel(QStringLiteral("词库：") + PWordBankPath));
    layout->addWidget(new QLabel(QStringLiteral("WordTable 单词数：%1").arg(count)));
    w.resize(480, 120);
    w.show();
    return app.exec();
}
