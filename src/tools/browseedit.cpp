// The word browser's editing: saving a word, emphasis and markers, marks and categories, the
// look-up menus, the online overwrite and the hand-overs to the other tools.

#include "tools/browseform.h"

#include "core/choosers.h"
#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "core/wordrecords.h"
#include "core/writeback.h"
#include "platform/http.h"
#include "platform/inifile.h"
#include "platform/playtimer.h"
#include "services/addresses.h"
#include "services/handovers.h"
#include "services/phonetic.h"
#include "services/pronunciation.h"
#include "services/richtext.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/wordxml.h"
#include "platform/windowkit.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDomDocument>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace {
// The 海词 service's site, as its menu entries name it.
const QString WordServiceName = QStringLiteral("海词在线词典");
}  // namespace

void TPbrowseform::buildMenus()
{
    auto on = [this](QAction *a, const std::function<void()> &handler) {
        connect(a, &QAction::triggered, this, [handler] { PGuard(handler); });
    };

    PopPLV = new QMenu(this);
    PopPLV->setObjectName(QStringLiteral("PopPLV"));
    N23 = PMakeAction(PopPLV, QStringLiteral("N23"), QStringLiteral("已掌握"));
    N22 = PMakeAction(PopPLV, QStringLiteral("N22"), QStringLiteral("已忘记"));
    N4 = PMakeAction(PopPLV, QStringLiteral("N4"), QStringLiteral("更改类别"));
    on(N23, [this] { N23Click(); });
    on(N22, [this] { N22Click(); });
    on(N4, [this] { N4Click(); });

    struct Lookup {
        const char *name;
        QString caption;
        QString service;
    };
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const QList<Lookup> wordLookups = {
        {"N1", QStringLiteral("查百度词典"), QStringLiteral("百度")},
        {"ChinaDaily1", QStringLiteral("查ChinaDaily"), QStringLiteral("中国日报")},
        {"AiCiBa1", QStringLiteral("查金山词霸在线词典"), QStringLiteral("爱词霸")},
        {"WordSvc1", QStringLiteral("查") + WordServiceName, QStringLiteral("海词")},
        {"N3", QStringLiteral("查谷词在线词典"), QStringLiteral("谷词")}};
    for (const Lookup &l : wordLookups) {
        const QString service = l.service;
        on(PMakeAction(PopupMenu1, QLatin1String(l.name), l.caption), [this, service] { PWebLookup(service, Edit1->text()); });
    }
    PopupMenu1->addSeparator();
    WordSvc2 = PMakeAction(PopupMenu1, QStringLiteral("WordSvc2"), WordServiceName + QStringLiteral("并覆盖显示"));
    on(WordSvc2, [this] { WordSvc2Click(); });

    PopMenuPra = new QMenu(this);
    PopMenuPra->setObjectName(QStringLiteral("PopMenuPra"));
    const QList<QList<Lookup>> practiceLookups = {
        {{"MenuItem1", QStringLiteral("查百度词典"), QStringLiteral("百度")},
         {"MenuItem2", QStringLiteral("查金山词霸在线词典"), QStringLiteral("爱词霸")},
         {"MenuItem3", QStringLiteral("查") + WordServiceName, QStringLiteral("海词")},
         {"MenuItem4", QStringLiteral("查谷词在线词典"), QStringLiteral("谷词")}},
        {{"MenuItem6", QStringLiteral("查金山词霸在线短句"), QStringLiteral("爱词霸短句")},
         {"MenuItem7", QStringLiteral("查谷词在线句子"), QStringLiteral("谷词句子")}}};
    for (const QList<Lookup> &group : practiceLookups) {
        for (const Lookup &l : group) {
            const QString service = l.service;
            // The web services get the practice text as typed.
            on(PMakeAction(PopMenuPra, QLatin1String(l.name), l.caption), [this, service] { PWebLookup(service, MEpra->text()); });
        }
        PopMenuPra->addSeparator();
    }
    PopPra7 = PMakeAction(PopMenuPra, QStringLiteral("PopPra7"), QStringLiteral("查Tavisk海词词典(F9)"));
    on(PopPra7, [this] { PopPra7Click(); });

    PopMenuSent = new QMenu(this);
    PopMenuSent->setObjectName(QStringLiteral("PopMenuSent"));
    N8 = PMakeAction(PopMenuSent, QStringLiteral("N8"), QStringLiteral("读"));
    N9 = PMakeAction(PopMenuSent, QStringLiteral("N9"), QStringLiteral("查"));
    on(N8, [this] { N8Click(); });
    on(N9, [this] { N9Click(); });
    PopMenuSent->addSeparator();
    const QList<std::pair<const char *, QString>> sentStyles = {
        {"N12", QStringLiteral("突出")}, {"N10", QStringLiteral("更突出")}, {"N11", QStringLiteral("取消突出")}};
    for (const auto &s : sentStyles) {
        const QString style = s.second;
        on(PMakeAction(PopMenuSent, QLatin1String(s.first), style), [this, style] { PEmphasize(ReSent, style); });
    }
    PopMenuSent->addSeparator();
    on(PMakeAction(PopMenuSent, QStringLiteral("N19"), QStringLiteral("剪切")), [this] { ReSent->cut(); });
    on(PMakeAction(PopMenuSent, QStringLiteral("N17"), QStringLiteral("复制")), [this] { ReSent->copy(); });
    on(PMakeAction(PopMenuSent, QStringLiteral("N18"), QStringLiteral("粘贴")), [this] { ReSent->paste(); });
    on(PMakeAction(PopMenuSent, QStringLiteral("N20"), QStringLiteral("全选")), [this] { ReSent->selectAll(); });
    PopMenuSent->addSeparator();
    PMakeAction(PopMenuSent, QStringLiteral("N21"), QStringLiteral("加入语境仓库"))->setEnabled(false);
    connect(ReSent, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopMenuSent->popup(ReSent->viewport()->mapToGlobal(p)); });

    PopMenuExpl = new QMenu(this);
    PopMenuExpl->setObjectName(QStringLiteral("PopMenuExpl"));
    on(PMakeAction(PopMenuExpl, QStringLiteral("PopExpl1"), QStringLiteral("剪切")), [this] { ReExpl->cut(); });
    on(PMakeAction(PopMenuExpl, QStringLiteral("PopExpl2"), QStringLiteral("复制")), [this] { ReExpl->copy(); });
    on(PMakeAction(PopMenuExpl, QStringLiteral("PopExpl3"), QStringLiteral("粘贴")), [this] { ReExpl->paste(); });
    on(PMakeAction(PopMenuExpl, QStringLiteral("PopExpl4"), QStringLiteral("全选")), [this] { ReExpl->selectAll(); });
    PopMenuExpl->addSeparator();
    const QList<std::pair<const char *, QString>> explStyles = {{"PopExpl5", QStringLiteral("突出")},
                                                                {"PopExpl6", QStringLiteral("更突出")},
                                                                {"PopExpl7", QStringLiteral("取消突出")}};
    for (const auto &s : explStyles) {
        const QString style = s.second;
        on(PMakeAction(PopMenuExpl, QLatin1String(s.first), style), [this, style] { PEmphasize(ReExpl, style); });
    }
    connect(ReExpl, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopMenuExpl->popup(ReExpl->viewport()->mapToGlobal(p)); });

    PopMenuInsert = new QMenu(this);
    PopMenuInsert->setObjectName(QStringLiteral("PopMenuInsert"));
    const QStringList markers = {QStringLiteral("【】"), QStringLiteral("【记】"), QStringLiteral("【辨】"),
                                 QStringLiteral("【派】"), QStringLiteral("【搭】")};
    for (int i = 0; i < markers.size(); ++i) {
        const QString marker = markers[i];
        on(PMakeAction(PopMenuInsert, QStringLiteral("PopInsert") + QString::number(i + 1), marker),
           [this, marker] { PopInsert1Click(marker); });
    }
}

// ---- saving

bool TPbrowseform::PSaveWordEdits()
{
    const QString word = Edit1->text();
    if (PCheckWordAndMeaning(word, Edit2->text()))
        return false;
    const QString category = Edit5->currentText();
    try {
        // The sentences as the edit writes them, on every save; the explanation as it was stored
        // wherever the learner did not change it.
        const QString sentences = PRichTextOf(ReSent);
        const QString details = PPlainTextSource(ReExpl);
        // Both tables or neither: a half-saved word would differ between the list and the group.
        JetTransaction t(Pdatamodule->PConnection);
        for (const QString &table : {PCurrentTable, Tbl::TempTable})
            PUpdateWordRecord(table, Col::Word, Col::Phonetic, Col::Explanation, Col::Association,
                              Col::Details, Col::Example, Col::Category, word, Edit4->text(),
                              Edit2->text(), Edit3->text(), details, sentences, category);
        t.commit();
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("更改") + word + QStringLiteral("失败"), QString(), Dialogs::Critical);
        return false;
    }
    // Every row of the word, as in the bank, wherever auto-browse or a sort has moved the browse position.
    for (QTreeWidgetItem *item : rowsOfShownWord()) {
        PSetSubItem(item, PSub(ModeCol::BrowseForm::Explanation), Edit2->text());
        PSetSubItem(item, PSub(ModeCol::BrowseForm::Category), category);
    }
    // The group's categories change only with the word's own.
    if (category != m_storedCategory) {
        reloadCategories();
        Edit5->setEditText(category);
    }
    m_storedCategory = category;
    return true;
}

void TPbrowseform::Button4Click()
{
    if (PSaveWordEdits())
        PSpeakOk();
}

// ---- marks and category

void TPbrowseform::markSelected(const QString &MasterType)
{
    // The group's rows carry the IDs of the list's rows they came from: both by ID, in one go.
    const QList<QTreeWidgetItem *> selected = PListView->selectedItems();
    TPWriteBack marks;
    for (const QString &table : {Tbl::TempTable, PCurrentTable})
        for (QTreeWidgetItem *item : selected)
            marks.words << TPWordWrite{table, Col::ID, PCaption(item), {{Col::MasterType, MasterType}}};
    if (!PWriteBack(marks))
        return;
    for (QTreeWidgetItem *item : selected)
        PSetSubItem(item, PSub(ModeCol::BrowseForm::MasterType), MasterType);
}

void TPbrowseform::N23Click() { markSelected(Code::Master11); }

void TPbrowseform::N22Click() { markSelected(Code::Master00); }

void TPbrowseform::N4Click()
{
    reloadTempList();
    const QString answer = PChooseDialog(QStringLiteral("请输入或选择新类别"), QStringLiteral("单词类别"), TempListView);
    if (answer != Code::ChooserCancel) {
        JetTransaction t(Pdatamodule->PConnection);
        PUpdateSelectedField(PListView, Tbl::TempTable, Col::Category, answer, PSub(ModeCol::BrowseForm::Category));
        PUpdateSelectedField(PListView, PCurrentTable, Col::Category, answer, PSub(ModeCol::BrowseForm::Category));
        t.commit();
        for (QTreeWidgetItem *item : PListView->selectedItems())
            if (PSubItem(item, PSub(ModeCol::BrowseForm::Word)) == Edit1->text())
                Edit5->setEditText(answer);
    }
    reloadCategories();
}

// ---- rich edits

void TPbrowseform::PEmphasize(QTextEdit *Edit, const QString &Style)
{
    PEmphasise(Edit, Style == QStringLiteral("取消突出") ? EmphasisNone
                     : Style == QStringLiteral("更突出")  ? EmphasisBoldRed
                                                          : EmphasisBold);
}

void TPbrowseform::ReSentSelectionChange()
{
    const QString selected = ReSent->textCursor().selectedText();
    const QString trimmed = selected.trimmed();
    N8->setEnabled(PIsPrintableAscii(trimmed));
    // The words being studied are not to be looked up meanwhile; the bank is asked last.
    N9->setEnabled(!trimmed.isEmpty() && PIsLettersOnly(trimmed) && selected.size() >= 2 && selected.size() <= 99 &&
                   Pdatamodule->PGetCountFromTableWhere(Tbl::TempTable, Col::Word, trimmed) == 0);
}

void TPbrowseform::N8Click() { speakDirect(ReSent->textCursor().selectedText()); }

void TPbrowseform::N9Click() { openDictOn(ReSent->textCursor().selectedText().trimmed()); }

void TPbrowseform::openDictOn(const QString &Word)
{
    PHandOver(PHandOvers().dictForm, Word, true);
}

void TPbrowseform::SBinsertClick() { PopMenuInsert->popup(QCursor::pos() - QPoint(0, 8)); }

void TPbrowseform::PopInsert1Click(const QString &Marker) { ReExpl->textCursor().insertText(Marker); }

void TPbrowseform::SBTellWrongClick() { POpenUrl(Addr::PhoneticReportPage()); }

// ---- look-ups

void TPbrowseform::SBFindWordClick() { PopupMenu1->popup(QCursor::pos() + QPoint(-10, 10)); }

void TPbrowseform::SBFindPraClick() { PopMenuPra->popup(QCursor::pos() - QPoint(0, 8)); }

void TPbrowseform::PopPra7Click() { openDictOn(MEpra->text().trimmed()); }

void TPbrowseform::WordSvc2Click()
{
    if (m_asking)
        return;
    const QString word = Edit1->text();
    QDomDocument doc;
    TPWordAnswer answer = TPWordAnswer::Unreachable;
    {
        // The window paints and its clock runs while the service is asked.
        m_asking = true;
        LBWordSvcHint->setText(PWordServiceAsking());
        const auto done = qScopeGuard([this] { m_asking = false; });
        HttpWaiter waiter;
        // The site is asked first: when it is down, the word service is not waited for as well.
        if (PIsOnlineWaiting(waiter))
            answer = PAskWordService(doc, word, waiter);
    }
    PXmlDoc->clear();
    // Another word came on show meanwhile: the answer is not its own.
    if (Edit1->text() != word) {
        LBWordSvcHint->clear();
        return;
    }
    LBWordSvcHint->setText(answer == TPWordAnswer::Known     ? QStringLiteral("在海词网站上找到该词")
                           : answer == TPWordAnswer::Unknown ? QStringLiteral("查无此词")
                                                             : PWordServiceTrouble(answer));
    if (answer == TPWordAnswer::Known) {
        Edit2->setText(doc.documentElement().firstChildElement(QStringLiteral("def")).text());
        ReSent->clear();
        PShowExampleSentences(doc, ReSent);
    }
    // Without a transcription for the word the field keeps what it has, so a save cannot erase it.
    QString phonetic = Edit4->text();
    PLookupPhonetic(word, phonetic);
    Edit4->setText(phonetic);
}

// ---- hand-overs on the study group

void TPbrowseform::SpeedButton2Click()
{
    hide();
    PConfigIni->WriteString(Ini::MiniBrowser, Ini::Sender, Code::SenderBrowser);
    TimerBrowse->setEnabled(false);
    SBPauseClick();
    PHandOver(PHandOvers().miniBrowseGroup, Tbl::TempTable);
}

void TPbrowseform::SpeedButton8Click()
{
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, Tbl::TempTable);
    SBPauseClick();
    PHandOver(PHandOvers().crazySpellForm);
}

void TPbrowseform::SpeedButton9Click()
{
    SBPauseClick();
    PHandOver(PHandOvers().sameSubStrWordForm, false);
}
