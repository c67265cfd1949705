#include "platform/formbase.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace {
QStringList textsOf(const QWidget &w)
{
    QStringList out{w.windowTitle()};
    for (const QAbstractButton *b : w.findChildren<QAbstractButton *>())
        out << b->text();
    for (const QLabel *l : w.findChildren<QLabel *>())
        out << l->text();
    return out;
}
}  // namespace

// Qt's own dialogs speak Chinese, as the rest of the program does.
TEST(Application, QtsOwnDialogsSpeakChinese)
{
    QInputDialog input;
    input.show();  // its buttons are made when it first shows
    input.hide();
    EXPECT_TRUE(textsOf(input).contains(QStringLiteral("取消"))) << textsOf(input).join(u'|').toStdString();

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Close);
    EXPECT_TRUE(textsOf(box).contains(QStringLiteral("保存"))) << textsOf(box).join(u'|').toStdString();

    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("选择颜色"));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_TRUE(textsOf(files).contains(QStringLiteral("文件名称(&N)："))) << textsOf(files).join(u'|').toStdString();
}

// Qt appends an application display name to every window title; ours carry their own captions.
TEST(Application, NoDisplayNameIsAppendedToWindowTitles)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    const QString display = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ(display, QStringLiteral("probe")) << "a display name of its own is set";
}
