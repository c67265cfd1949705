#include "core/choosers.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/formbase.h"
#include "platform/jetsql.h"
#include "platform/windowkit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <memory>
#include <sqlite3.h>

QString PChooseDialog(const QString &Caption, const QString &Kind, QTreeWidget *ListView)
{
    QString result = Code::ChooserCancel;
    const bool category = Kind == QStringLiteral("单词类别");

    auto form = std::make_unique<TPForm>(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                      Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form->setObjectName(QStringLiteral("PChooseForm"));
    // A title bar this narrow cuts the prompt: the title is the program's, the prompt a line of
    // its own above the combo box, the window widened when the prompt needs it.
    form->setWindowTitle(QApplication::applicationDisplayName());
    auto *prompt = new QLabel(Caption, form.get());
    prompt->setObjectName(QStringLiteral("PChoosePrompt"));
    const int promptWidth = qMax(174, prompt->sizeHint().width());
    prompt->setGeometry(12, 2, promptWidth, 17);
    form->setFixedSize(promptWidth + 26, 100);
    PCenterOnScreen(form.get());

    auto *combo = new QComboBox(form.get());
    combo->setObjectName(QStringLiteral("PChooseCombo"));
    combo->setGeometry(12, 20, 174, 21);
    if (category) {
        combo->setEditable(true);
        PFillCategoryCombo(ListView, 5, combo);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    } else {
        combo->setEditable(false);
        PFillTableCombo(combo);
        if (Kind == QStringLiteral("单表单词转移")) {
            const int own = combo->findText(PCurrentTable);
            if (own >= 0)
                combo->removeItem(own);
        }
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }

    auto *ok = new QPushButton(QStringLiteral("确定"), form.get());
    ok->setObjectName(QStringLiteral("PChooseOK"));
    ok->setGeometry(18, 60, 70, 23);
    auto *cancel = new QPushButton(QStringLiteral("取消"), form.get());
    cancel->setObjectName(QStringLiteral("PChooseCancel"));
    cancel->setGeometry(112, 60, 70, 23);
    TPForm *f = form.get();
    QObject::connect(ok, &QPushButton::clicked, f, [f] { f->setModalResult(mrOk); });
    QObject::connect(cancel, &QPushButton::clicked, f, [f] { f->setModalResult(mrCancel); });
    form->setDefaultButton(ok);
    form->setCancelButton(cancel);

    if (form->ShowModal() == mrOk) {
        result = combo->currentText();
        // With no list to offer there is no target: an empty name must never reach a caller.
        if (!category && result.isEmpty())
            result = Code::ChooserCancel;
    }
    return result;
}

namespace {
// Appends the registered lists' names in the bank's order; those read before an engine error stay.
void readRegisteredNames(QStringList &names)
{
    JetQuery &q = Pdatamodule->PQuery;
    try {
        // The name alone: this runs on every look-up across the lists.
        Pdatamodule->PSelectFieldsFromTableOrder(Tbl::TableNameTable, {Col::TableName}, QString(), QString());
        q.open();
        while (!q.eof()) {
            names << q.fieldAt(0);
            q.next();
        }
    } catch (...) {
        q.close();
        throw;
    }
    q.close();
}
}  // namespace

QStringList PWordTableNames()
{
    QStringList names{Tbl::WordTable};
    readRegisteredNames(names);
    return names;
}

void PFillTableNames(QComboBox *ComboBox)
{
    QStringList names;
    try {
        readRegisteredNames(names);
    } catch (const EngineError &) {
        ComboBox->addItems(names);
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
        return;
    }
    // All at once: one model change instead of one per list.
    ComboBox->addItems(names);
}

void PFillTableCombo(QComboBox *ComboBox)
{
    ComboBox->addItem(Tbl::WordTable);
    PFillTableNames(ComboBox);
    ComboBox->setCurrentIndex(ComboBox->findText(PCurrentTable));
}

namespace {
// The registered lists' names as the bank holds them, each ended by a zero byte, in the bank's
// order; false after an engine error, with the names read before it.
bool readRegisteredNameBytes(QByteArray &out)
{
    static const QString sql = QStringLiteral("SELECT ") + quoteIdent(Col::TableName) + QStringLiteral(" FROM ") +
                               quoteIdent(Tbl::TableNameTable) + QStringLiteral(" ORDER BY rowid");
    std::shared_ptr<JetPrepared> p;
    try {
        p = Pdatamodule->PConnection.borrow(sql, {});
    } catch (const EngineError &) {
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(p->stmt)) == SQLITE_ROW) {
        out.append(reinterpret_cast<const char *>(sqlite3_column_text(p->stmt, 0)), sqlite3_column_bytes(p->stmt, 0));
        out.append('\0');
    }
    sqlite3_reset(p->stmt);
    p->inUse = false;
    return rc == SQLITE_DONE;
}
}  // namespace

void PFillMoveTargets(QComboBox *ComboBox, const QString &Except)
{
    // Word after word is found in the same list while the lists stay the same: the names are
    // compared as the bank's bytes with those the combo was filled from, and made only when new.
    static const char kFilledFrom[] = "lxMoveTargetsFrom";
    QByteArray rows = Except.toUtf8() + '\0';
    const bool failed = !readRegisteredNameBytes(rows);
    if (failed || ComboBox->property(kFilledFrom).toByteArray() != rows) {
        QStringList names{Tbl::WordTable};
        const QList<QByteArray> read = rows.split('\0');
        for (qsizetype i = 1; i + 1 < read.size(); ++i)
            names << QString::fromUtf8(read.at(i));
        const int own = names.indexOf(Except);
        if (own >= 0)
            names.removeAt(own);
        ComboBox->clear();
        ComboBox->addItems(names);
        ComboBox->setProperty(kFilledFrom, failed ? QByteArray() : rows);
    }
    ComboBox->setCurrentIndex(ComboBox->count() > 0 ? 0 : -1);
    if (failed)
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
}

QString PFindWordTable(const QString &Word)
{
    // "WordTable" comes first: a word it holds needs no other list, nor their names.
    if (Pdatamodule->PGetCountFromTableWhere(Tbl::WordTable, Col::Word, Word) > 0)
        return Tbl::WordTable;
    QStringList names;
    readRegisteredNames(names);
    // A refused name cannot be asked; the lists after it still can.
    for (const QString &name : names)
        if (jetTableNameRefusal(name).isEmpty() && Pdatamodule->PGetCountFromTableWhere(name, Col::Word, Word) > 0)
            return name;
    return QString();
}

QString PMakeLikePattern(const QString &Text)
{
    // Blanks and control characters off both ends.
    int from = 0, to = Text.size();
    while (from < to && Text.at(from).unicode() <= 32)
        ++from;
    while (to > from && Text.at(to - 1).unicode() <= 32)
        --to;
    const QString trimmed = Text.mid(from, to - from);

    QString p;
    bool pendingGap = false;
    for (QChar c : trimmed) {
        const ushort u = c.unicode();
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) {
            // Leading non-letters add nothing; a run between letters adds one "%".
            if (pendingGap && !p.isEmpty())
                p += QLatin1Char('%');
            pendingGap = false;
            p += c;
        } else {
            pendingGap = true;
        }
    }
    return QStringLiteral("\"%") + p + QStringLiteral("%\"");
}

void PSearchAllTables(const QString &Pattern, QTreeWidget *ListView)
{
    PClearItems(ListView);
    JetQuery &q = Pdatamodule->PQuery;
    for (const QString &name : PWordTableNames()) {
        // A list made elsewhere under a name the program refuses is passed over, not the end of
        // the search.
        if (!jetTableNameRefusal(name).isEmpty())
            continue;
        Pdatamodule->PSelectFromTableLike(name, Col::Word, Pattern);
        ListView->addTopLevelItems(PItemsFromQuery(q, [&] {
            return PNewItem(q.fieldByName(Col::Word), {q.fieldByName(Col::Explanation), name});
        }));
    }
}
