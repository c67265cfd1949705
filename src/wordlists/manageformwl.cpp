#include "wordlists/manageformwl.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "core/wordrecords.h"
#include "platform/speech.h"
#include "services/addresses.h"
#include "services/phonetic.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/richtext.h"
#include "wordlists/newwordrow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

const QString kAppend = QStringLiteral("添加");
const QString kEdit = QStringLiteral("编辑");
const int kCategorySub = PSub(ModeCol::MainFormDBT::Category);

QString countText(int n) { return QString::number(n) + QStringLiteral("词"); }

}  // namespace

// ---- activation and the list

void TPManageFormWL::FormActivate()
{
    PLoadFormBackground(this);
    Pcleartext();
    PLoadCurrentTableName();
    {
        const QSignalBlocker quiet(CBCurrentWTb);
        CBCurrentWTb->clear();
        PFillTableCombo(CBCurrentWTb);
    }
    loadLists();
}

void TPManageFormWL::loadLists()
{
    PRefreshListView(PLV, PCurrentTable, QString(), 0, Mode::MainFormDBT);
    loadCategories();
    showWordCount();
}

void TPManageFormWL::loadCategories()
{
    PRefreshListView(PTempLV, PCurrentTable, Col::Category, 0, Mode::MainFormDBT);
    const QString typed = Edit5->currentText();
    PFillCategoryCombo(PTempLV, kCategorySub, Edit5);
    Edit5->setCurrentIndex(-1);
    Edit5->setEditText(typed);
}

void TPManageFormWL::showWordCount()
{
    LBWordCount->setText(countText(Pdatamodule->PGetCountFromTable(PCurrentTable)));
}

void TPManageFormWL::CBCurrentWTbChange()
{
    PSetCurrentTable(CBCurrentWTb->currentText());
    loadLists();
}

void TPManageFormWL::PLVSelectItem(QTreeWidgetItem *Item)
{
    m_lastIndex = PLV->indexOfTopLevelItem(Item);
    Edit1->setText(PSubItem(Item, PWordSub));
    try {
        JetQuery &q = Pdatamodule->PQuery;
        Pdatamodule->PSelectFromTableWhere(PCurrentTable, Col::Word, Edit1->text());
        q.open();
        if (!q.eof()) {
            Edit2->setText(q.fieldByName(Col::Explanation));
            Edit3->setText(q.fieldByName(Col::Association));
            Edit4->setText(q.fieldByName(Col::Phonetic));
            PShowPlainText(Memo1, q.fieldByName(Col::Details));
            PShowStoredText(Memo2, q.fieldByName(Col::Example));
            Edit5->setEditText(q.fieldByName(Col::Category));
            showMasterType(q.fieldByName(Col::MasterType));
        }
        q.close();
    } catch (const EngineError &) {
        // A row that cannot be read leaves the fields as they were.
        Pdatamodule->PQuery.close();
    }
    if (CheckBox1->isChecked())
        PSpeakWord(Edit1->text());
    // Without the font file the stored transcription stays in the field, so a save cannot erase it.
    const QString phonetic = Edit4->text();
    PApplyPhoneticFont(Edit4);
    if (Edit4->text().isEmpty())
        Edit4->setText(phonetic);
    LBSelectFlag->setText(QStringLiteral("第") + QString::number(m_lastIndex + 1) + QStringLiteral("项"));
    showWordCount();
}

void TPManageFormWL::PLVColumnClick(int Column) { PSortListView(PLV, Column); }

void TPManageFormWL::Edit1Change()
{
    QString phonetic;
    PLookupPhonetic(Edit1->text(), phonetic);
    Edit4->setText(phonetic);
}

// ---- modes

void TPManageFormWL::Pcleartext()
{
    for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4})
        e->clear();
    Edit5->setEditText(QString());
    PShowPlainText(Memo1, QString());
    PShowStoredText(Memo2, QString());
    showMasterType(QString());
}

void TPManageFormWL::showMasterType(const QString &Stored)
{
    // A stored type the box does not offer is shown, greyed, without becoming a choice. The text
    // goes first: emptying it while nothing is chosen would choose the first entry.
    const int offered = ComboBox3->findText(Stored);
    ComboBox3->setPlaceholderText(offered < 0 ? Stored : QString());
    ComboBox3->setCurrentIndex(offered);
}

void TPManageFormWL::Peditable()
{
    Edit1->setReadOnly(true);
    for (QLineEdit *e : {Edit2, Edit3, Edit4})
        e->setReadOnly(false);
    Memo1->setReadOnly(false);
    Memo2->setReadOnly(false);
    ComboBox3->setEnabled(true);
    PLV->setEnabled(true);
}

void TPManageFormWL::Peditmode()
{
    Peditable();
    BTConfirm->setText(QStringLiteral("确认更改 &C"));
    PLV->setFocus();
}

void TPManageFormWL::Pappendmode()
{
    Peditable();
    Edit1->setReadOnly(false);
    PLV->setEnabled(false);
    BTConfirm->setText(QStringLiteral("确认添加 &C"));
    if (PItemCount(PLV) > 0)
        Pscrolltoselected(PItemCount(PLV) - 1);
    Pcleartext();
    ComboBox3->setEnabled(false);
    BTextAddMode->show();
    m_mode = kAppend;
    Edit1->setFocus();
}

void TPManageFormWL::BTextAddModeClick()
{
    BTextAddMode->hide();
    m_mode = kEdit;
    Peditmode();
}

void TPManageFormWL::Pscrolltoselected(int Index)
{
    if (QTreeWidgetItem *item = PItemAt(PLV, Index))
        PLV->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void TPManageFormWL::PSetBrowseMode(const QString &Mode)
{
    struct Look {
        const char *mode;
        int wordWidth, meaningWidth;
        bool word, meaning;  // the word's fields, the meaning's fields
    };
    static const Look looks[] = {
        {"正常浏览", 120, 300, true, true}, {"词义回想", 400, 20, true, false}, {"单词回想", 20, 400, false, true}};
    for (const Look &l : looks) {
        if (Mode != QString::fromUtf8(l.mode))
            continue;
        PLV->setColumnWidth(1, l.wordWidth);
        PLV->setColumnWidth(2, l.meaningWidth);
        Edit1->setVisible(l.word);
        Edit4->setVisible(l.word);
        for (QWidget *w : {static_cast<QWidget *>(Edit2), static_cast<QWidget *>(Edit3), static_cast<QWidget *>(Memo1)})
            w->setVisible(l.meaning);
    }
}

void TPManageFormWL::CBBrowseModeChange() { PSetBrowseMode(CBBrowseMode->currentText()); }

// ---- saving and adding

void TPManageFormWL::BTConfirmClick()
{
    if (m_mode == kAppend)
        Pappend();
    else
        Pedit();
    loadCategories();
}

void TPManageFormWL::Pedit()
{
    const QString word = Edit1->text();
    if (PCheckWordAndMeaning(word, Edit2->text()))
        return;
    const QString table = PCurrentTable;
    // A master type the learner did not choose is left as stored.
    const bool masterChosen = ComboBox3->currentIndex() >= 0;
    const auto failed = [&word] { PDialogs().message(QStringLiteral("更改") + word + QStringLiteral("失败")); };
    try {
        // The word in the box is the key: a row the list shows under another word is never touched.
        if (Pdatamodule->PGetCountFromTableWhere(table, Col::Word, word) == 0) {
            failed();
            return;
        }
        // The hidden memo shows the source; the bank gets it as it stands, line ends and all.
        const QString sentences = PRichTextSource(Memo2);
        Memo22->setPlainText(sentences);
        JetTransaction t(Pdatamodule->PConnection);
        PUpdateWordRecord(table, Col::Word, Col::Phonetic, Col::Explanation, Col::Association, Col::Details,
                          Col::Example, Col::Category, word, Edit4->text(), Edit2->text(), Edit3->text(),
                          PPlainTextSource(Memo1), sentences, Edit5->currentText());
        if (masterChosen)
            Pdatamodule->PUpdateOneDataFromTable(table, Col::Word, Col::MasterType, word, ComboBox3->currentText());
        t.commit();
    } catch (const EngineError &) {
        failed();
        return;
    }
    QTreeWidgetItem *shown = PLV->currentItem();
    if (shown && PSubItem(shown, PWordSub) == word) {
        PSetSubItem(shown, PSub(ModeCol::MainFormDBT::Explanation), Edit2->text());
        PSetSubItem(shown, kCategorySub, Edit5->currentText());
        if (masterChosen)
            PSetSubItem(shown, PSub(ModeCol::MainFormDBT::MasterType), ComboBox3->currentText());
    }
    PSpeakOk();
}

bool TPManageFormWL::Pcheckedittext() { return PCheckWordAndMeaning(Edit1->text(), Edit2->text()); }

bool TPManageFormWL::Pcheckappendtext()
{
    if (Pdatamodule->PGetCountFromTableWhere(PCurrentTable, Col::Word, Edit1->text()) == 0)
        return false;
    PDialogs().message(QStringLiteral("该单词已存在"));
    return true;
}

void TPManageFormWL::Pappend()
{
    if (Pcheckedittext() || Pcheckappendtext())
        return;
    const QString table = PCurrentTable;
    const QString word = Edit1->text();
    QString experience;
    QString id;
    try {
        TPWordRecord R;
        R.word = word;
        R.phonetic = Edit4->text();
        R.explanation = Edit2->text();
        R.association = Edit3->text();
        R.details = Memo1->toPlainText();
        R.example = Memo2->toPlainText();
        R.category = Edit5->currentText();
        id = PInsertEditorWord(table, R, &experience);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("添加") + word + QStringLiteral("失败"), QString(), Dialogs::Critical);
        return;
    }
    PAddItem(PLV, id,
             {word, Edit2->text(), QStringLiteral("0"), QStringLiteral("0"), experience, QString(), Code::Master00});
    Pcleartext();
    Edit1->setFocus();
    Pscrolltoselected(PItemCount(PLV) - 1);
    showWordCount();
    PSpeakOk();
}

// ---- the list's menu

void TPManageFormWL::NDeleteClick()
{
    PDeleteSelectedWords(PLV, PCurrentTable);
    showWordCount();
}

void TPManageFormWL::NMoveClick()
{
    const QString target = PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), nullptr);
    if (target != Code::ChooserCancel)
        PMoveWords(PLV, PCurrentTable, target, QStringLiteral("select"));
}

void TPManageFormWL::NCategoryClick()
{
    PRefreshListView(PTempLV, PCurrentTable, Col::Category, 0, Mode::MainFormDBT);
    const QString category = PChooseDialog(QStringLiteral("请输入或选择新类别"), QStringLiteral("单词类别"), PTempLV);
    if (category != Code::ChooserCancel)
        PUpdateSelectedField(PLV, PCurrentTable, Col::Category, category, kCategorySub);
}

// ---- the list commands of the main menu

void TPManageFormWL::NShuffleClick()
{
    if (PDialogs().ask(QStringLiteral("将打乱当前单词表中的单词排列顺序，根据当前单词表大小需花一定时间，是否继续？"),
                       QString(), Dialogs::Question, Dialogs::YesNo) != Dialogs::Yes)
        return;
    PShuffleTable(PTempLV);
    FormActivate();
}

void TPManageFormWL::NDedupClick()
{
    if (PDialogs().ask(QStringLiteral("使当前词表中没有拼写重复的单词，是否继续？"), QString(), Dialogs::Question,
                       Dialogs::YesNo) != Dialogs::Yes)
        return;
    try {
        PLoadAndDedupTable(PLV, PCurrentTable, Col::Word);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("删除失败"));
        return;
    }
    PDialogs().message(QStringLiteral("成功删除当前单词表中的重复单词"));
}

void TPManageFormWL::NResetClick()
{
    if (PDialogs().ask(QStringLiteral("将当前单词表中所有单词的做过、做错、经验等操作信息恢复到默认值，是否继续？"),
                       QString(), Dialogs::Warning, Dialogs::YesNo) != Dialogs::Yes)
        return;
    try {
        PUpdateTableFields(PCurrentTable, Col::TimesDone, Col::TimesWrong, Col::Experience, Col::LastRight,
                           Col::LastTested, Col::MasterType, QStringLiteral("0"), QStringLiteral("0"),
                           Code::NewWordExperience, Code::NotDone, Code::NeverTested, Code::Unknown);
        PDialogs().message(QStringLiteral("单词数据复原成功"));
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("单词数据复原失败"));
    }
    FormActivate();
}

void TPManageFormWL::Label8Click() { POpenUrl(Addr::HelpPage(QStringLiteral("wordentry"))); }

// ---- the example box

void TPManageFormWL::Memo2SelectionChange()
{
    const QString s = Memo2->textCursor().selectedText();
    NRead->setEnabled(PIsPrintableAscii(s.trimmed()));
}

void TPManageFormWL::offerExampleMenu(const QPoint &At)
{
    // Offered on a finished selection only: a selection still growing by mouse or keys is not one.
    if (!Memo2->textCursor().selectedText().trimmed().isEmpty())
        PopupMenu3->popup(At);
}

void TPManageFormWL::readSelection()
{
    if (PSpVoice)
        PSpVoice->Speak(QStringLiteral("<LANG LANGID=\"409\">") + Memo2->textCursor().selectedText(),
                        TSpVoice::SVSFlagsAsync);
}

void TPManageFormWL::emphasise(int Level)
{
    if (Level < 0) {
        Memo2->textCursor().insertText(QStringLiteral("*"));
        return;
    }
    PEmphasise(Memo2, Level == 0 ? EmphasisNone : Level == 2 ? EmphasisBoldRed : EmphasisBold);
}
