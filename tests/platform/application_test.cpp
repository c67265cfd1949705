#include "platform/formbase.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QFontMetrics>
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
    // The kinds of file it lists.
    EXPECT_EQ(QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment(), QStringLiteral("纯文本文档"));
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

#include "platform/dialogs.h"
#include <QTimer>

namespace {
// Opens the real input box with title and prompt; returns its width and the width of its prompt
// label's text area as shown.
QSize shownInputBox(const QString &title, const QString &prompt)
{
    QSize seen;
    QTimer::singleShot(0, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            seen = box->size();
            box->close();
        }
    });
    QString value = QStringLiteral("表1");
    QtDialogs().input(title, prompt, value);
    return seen;
}
}  // namespace

// A message box with a short text still shows its title whole, never "…", as it shows and after
// it lays itself out again (a window manager's frame, a change of screen or style).
TEST(Application, MessageBoxesAreWideEnoughForTheirTitle)
{
    const QFontMetrics fm(QApplication::font());
    for (const QString &title : {QString(), QStringLiteral("词库更新失败，请检查词库文件是否可写")}) {
        for (const Dialogs::Buttons buttons : {Dialogs::OkOnly, Dialogs::YesNo, Dialogs::NoButtons}) {
            int shownWidth = 0;
            int laidOutWidth = 0;
            QTimer::singleShot(0, [&] {
                if (QWidget *box = QApplication::activeModalWidget()) {
                    shownWidth = box->width();
                    QCoreApplication::postEvent(box, new QEvent(QEvent::LayoutRequest));
                    QCoreApplication::processEvents();
                    laidOutWidth = box->width();
                    box->close();
                }
            });
            if (buttons == Dialogs::OkOnly)
                QtDialogs().message(QStringLiteral("名称不能为空"), title, Dialogs::Critical);
            else
                QtDialogs().ask(QStringLiteral("好"), title, Dialogs::Question, buttons);
            const QString shown = title.isEmpty() ? QApplication::applicationDisplayName() : title;
            EXPECT_GE(shownWidth, fm.horizontalAdvance(shown) + 150) << shown.toStdString() << " " << buttons;
            EXPECT_GE(laidOutWidth, fm.horizontalAdvance(shown) + 150) << shown.toStdString() << " " << buttons;
        }
    }
}

// The question of an input box stands in its title: the box is wide enough to show it whole,
// beside the title bar's buttons, and wide enough for its prompt.
TEST(Application, InputBoxesAreWideEnoughForTheirQuestion)
{
    const QFontMetrics fm(QApplication::font());
    for (const QString &title : {QStringLiteral("请输入新单词表名称"), QStringLiteral("请输入新名称"),
                                 QStringLiteral("一个很长很长的问题：请输入这个新单词表在词库中使用的名称")}) {
        const QSize box = shownInputBox(title, QString());
        EXPECT_GE(box.width(), fm.horizontalAdvance(title) + 150) << title.toStdString();
    }
    const QString prompt = QStringLiteral("请输入新单词表名称，名称中不能含有空格和标点符号，也不能与已有的单词表同名");
    EXPECT_GE(shownInputBox(QStringLiteral("新建"), prompt).width(), fm.horizontalAdvance(prompt));
}
