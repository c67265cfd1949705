#include "support/bankfiles.h"

#include "core/datamodule.h"

#include <QFile>
#include <gtest/gtest.h>

QString writeJunkFile(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("this is no word bank, only some text that fills more than a header would need\n");
    return path;
}

std::unique_ptr<JetConnection> openSecondConnection(const QString &path)
{
    auto c = std::make_unique<JetConnection>();
    c->setConnectionString(PConnectionText(path));
    c->open();
    return c;
}
