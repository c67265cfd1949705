#include "platform/dialogs.h"

#include "platform/formbase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QAbstractFileIconProvider>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStyle>
#include <QInputDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace {
QtDialogs g_qtDialogs;
Dialogs *g_dialogs = nullptr;

QWidget *parentWindow()
{
    QWidget *w = QApplication::activeWindow();
    return (w && w->isVisible()) ? w : nullptr;
}

// What a title bar takes besides its text: the window icon and the three buttons.
constexpr int InputBoxTitleBarRoom = 160;

class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    NameOnlyIconProvider() { setOptions(DontUseCustomDirectoryIcons); }
    QIcon icon(IconType type) const override { return QAbstractFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo &info) const override
    {
        return QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return QStringLiteral("文件夹");
        return info.suffix().isEmpty() ? QStringLiteral("文件") : info.suffix().toUpper() + QStringLiteral(" 文件");
    }
};

QString fileDialogName(bool save, const QString &title, const QString &filter, const QString &dir)
{
    QFileDialog dialog(parentWindow(), title, dir, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(PFileDialogIconProvider());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

// Wide enough for its title beside the title bar's icon and buttons, within the screen: a box with
// a short text would otherwise show its title as "…".
int titleWidth(const QString &title)
{
    int width = QFontMetrics(QApplication::font()).horizontalAdvance(title) + InputBoxTitleBarRoom;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width());
    return width;
}

// A message box fixes its own size from its text alone, as it shows and again whenever it lays
// itself out; this one widens after each of those.
class TitledBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent *e) override
    {
        const bool handled = QMessageBox::event(e);
        if (e->type() == QEvent::Show || e->type() == QEvent::LayoutRequest) {
            const int wanted = titleWidth(windowTitle());
            if (width() < wanted)
                setFixedWidth(wanted);
        }
        return handled;
    }
};

void setUpBox(QMessageBox &box, const QString &text, const QString &title, Dialogs::Icon icon,
              QMessageBox::Icon plain)
{
    box.setWindowTitle(titleOr(title));
    box.setText(text);
    box.setIcon(icon == Dialogs::Critical      ? QMessageBox::Critical
                : icon == Dialogs::Warning     ? QMessageBox::Warning
                : icon == Dialogs::Information ? QMessageBox::Information
                : icon == Dialogs::NoIcon      ? QMessageBox::NoIcon
                                               : plain);
}
}  // namespace

Dialogs &PDialogs() { return g_dialogs ? *g_dialogs : static_cast<Dialogs &>(g_qtDialogs); }

void PSetDialogs(Dialogs *d) { g_dialogs = d; }

QString PFilterToQt(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts.at(i);
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren > 0)
            name = name.left(paren).trimmed();
        out << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.isEmpty() ? filter : out.join(QStringLiteral(";;"));
}

ModalScope::ModalScope() : m_returnTo(QApplication::activeWindow())
{
    TPForm::noteModalOpening(m_returnTo);
}

ModalScope::~ModalScope() { TPForm::noteModalClosed(m_returnTo); }

void QtDialogs::message(const QString &text, const QString &title, Icon icon)
{
    ModalScope scope;
    TitledBox box(parentWindow());
    setUpBox(box, text, title, icon, QMessageBox::Information);
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

Dialogs::Answer QtDialogs::ask(const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    ModalScope scope;
    if (buttons == NoButtons) {
        // A message box always has a button; this one has none, only its close box.
        QDialog box(parentWindow());
        box.setWindowTitle(titleOr(title));
        auto *label = new QLabel(text, &box);
        auto *layout = new QVBoxLayout(&box);
        layout->setContentsMargins(24, 16, 24, 16);
        layout->addWidget(label);
        box.setMinimumWidth(titleWidth(box.windowTitle()));
        box.exec();
        return Cancel;
    }
    TitledBox box(parentWindow());
    setUpBox(box, text, title, icon, QMessageBox::Question);
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case OkOnly: set = QMessageBox::Ok; break;
    case YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case NoButtons: break;
    }
    box.setStandardButtons(set);
    const struct { QMessageBox::StandardButton b; const char *t; } captions[] = {
        {QMessageBox::Yes, "是(&Y)"}, {QMessageBox::No, "否(&N)"},
        {QMessageBox::Cancel, "取消"}, {QMessageBox::Ok, "确定"}};
    for (const auto &c : captions)
        if (auto *b = box.button(c.b))
            b->setText(QString::fromUtf8(c.t));
    switch (box.exec()) {
    case QMessageBox::Yes: return Yes;
    case QMessageBox::Ok: return Ok;
    case QMessageBox::No: return No;
    default: return buttons == YesNo ? No : Cancel;
    }
}

bool QtDialogs::input(const QString &title, const QString &prompt, QString &value)
{
    ModalScope scope;
    QInputDialog box(parentWindow());
    box.setWindowTitle(titleOr(title));
    box.setLabelText(prompt);
    box.setTextValue(value);
    // The program asks its question in the title: leave room for it beside the title bar's icon
    // and buttons, within the screen.
    box.resize(std::max(box.sizeHint().width(), titleWidth(box.windowTitle())), box.sizeHint().height());
    if (box.exec() != QDialog::Accepted)
        return false;
    value = box.textValue();
    return true;
}

QString QtDialogs::openFile(const QString &title, const QString &filter, const QString &dir)
{
    ModalScope scope;
    return fileDialogName(false, title, filter, dir);
}

QString QtDialogs::saveFile(const QString &title, const QString &filter, const QString &dir)
{
    ModalScope scope;
    return fileDialogName(true, title, filter, dir);
}

bool QtDialogs::chooseColor(QColor &color)
{
    ModalScope scope;
    const QColor c = QColorDialog::getColor(color, parentWindow());
    if (!c.isValid())
        return false;
    color = c;
    return true;
}

QAbstractFileIconProvider *PFileDialogIconProvider()
{
    static NameOnlyIconProvider provider;
    return &provider;
}

bool TOpenDialog::Execute()
{
    const QString f = PDialogs().openFile(Title, PFilterToQt(Filter), InitialDir);
    if (f.isEmpty())
        return false;
    FileName = f;
    return true;
}

bool TColorDialog::Execute()
{
    QColor c = Color;
    if (!PDialogs().chooseColor(c))
        return false;
    Color = c;
    return true;
}
