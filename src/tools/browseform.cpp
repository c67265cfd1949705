#include "tools/browseform.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/inifile.h"
#include "platform/playtimer.h"
#include "platform/speech.h"
#include "rules/browserules.h"
#include "services/addresses.h"
#include "services/phonetic.h"
#include "services/pronunciation.h"
#include "services/richtext.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/handovers.h"
#include "core/studycounters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

TPbrowseform *Pbrowseform = nullptr;
int PBrowseSeconds = 0;
int PBrowseIndex = 0;

TPbrowseform::TPbrowseform(QWidget *parent) : TPForm(parent)
{
    setObjectName(QStringLiteral("Pbrowseform"));
    buildLayout();
    buildMenus();
    setKeyPreview(true);

    TimerBrowse = PPlayClock().newTimer(this, QStringLiteral("TimerBrowse"), 1000);
    TimerBrowse->OnTimer = [this] { PGuard([this] { TimerBrowseTimer(); }); };
    TimerAutoBrowse = PPlayClock().newTimer(this, QStringLiteral("TimerAutoBrowse"), 2000);
    TimerAutoBrowse->OnTimer = [this] { PGuard([this] { TimerAutoBrowseTimer(); }); };

    connect(PListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &) {
                PGuard([&] {
                    for (const QModelIndex &index : selected.indexes())
                        if (index.column() == 0)
                            PListViewSelectItem(PListView->topLevelItem(index.row()), true);
                });
            });
    PConnect(PListView->header(), &QHeaderView::sectionClicked, this, &TPbrowseform::PListViewColumnClick);
    connect(PListView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopPLV->popup(PListView->viewport()->mapToGlobal(p)); });
    PConnect(CBBrowseMode, &QComboBox::activated, this, &TPbrowseform::CBBrowseModeChange);
    PConnect(SBStart, &QToolButton::clicked, this, &TPbrowseform::SBStartClick);
    PConnect(SBPause, &QToolButton::clicked, this, &TPbrowseform::SBPauseClick);
    PConnect(SEReadInterval, &QSpinBox::valueChanged, this, &TPbrowseform::SEReadIntervalChange);
    PConnect(Splitter1, &QSplitter::splitterMoved, this, &TPbrowseform::Splitter1Moved);
    PConnect(Splitter2, &QSplitter::splitterMoved, this, &TPbrowseform::Splitter2Moved);
    PConnect(CheckBox2, &QCheckBox::clicked, this, &TPbrowseform::CheckBox2Click);
    PConnect(CBBackMusic, &QCheckBox::toggled, this, &TPbrowseform::CBBackMusicClick);
    PConnect(Button1, &QPushButton::clicked, this, &TPbrowseform::Button1Click);
    PConnect(Button4, &QPushButton::clicked, this, &TPbrowseform::Button4Click);
    PConnect(SBReadWord, &QToolButton::clicked, this, &TPbrowseform::SBReadWordClick);
    PConnect(SBReadPra, &QToolButton::clicked, this, &TPbrowseform::SBReadPraClick);
    PConnect(SBautotip, &QToolButton::clicked, this, &TPbrowseform::SBautotipClick);
    PConnect(SpeedButton3, &QToolButton::clicked, this, &TPbrowseform::SpeedButton3Click);
    PConnect(SBFindWord, &QToolButton::clicked, this, &TPbrowseform::SBFindWordClick);
    PConnect(SBFindPra, &QToolButton::clicked, this, &TPbrowseform::SBFindPraClick);
    PConnect(SBinsert, &QToolButton::clicked, this, &TPbrowseform::SBinsertClick);
    PConnect(SBTellWrong, &QToolButton::clicked, this, &TPbrowseform::SBTellWrongClick);
    PConnect(SpeedButton2, &QToolButton::clicked, this, &TPbrowseform::SpeedButton2Click);
    PConnect(SpeedButton8, &QToolButton::clicked, this, &TPbrowseform::SpeedButton8Click);
    PConnect(SpeedButton9, &QToolButton::clicked, this, &TPbrowseform::SpeedButton9Click);
    PConnect(ReSent, &QTextEdit::selectionChanged, this, &TPbrowseform::ReSentSelectionChange);
    for (QWidget *w : {static_cast<QWidget *>(MEpra), static_cast<QWidget *>(ReExpl),
                       static_cast<QWidget *>(Edit4), static_cast<QWidget *>(Edit3)})
        w->installEventFilter(this);

    ReSentSelectionChange();
    m_built = true;
}

TPbrowseform::~TPbrowseform() = default;

// ---- showing a word

void TPbrowseform::PClearWordFields()
{
    for (QLineEdit *e : {Edit1, Edit2, Edit4, Edit3})
        e->clear();
    Edit5->setEditText(QString());
    PShowStoredText(ReExpl, QString());
    PShowStoredText(ReSent, QString());
    m_storedPhonetic.clear();
    m_storedCategory.clear();
    m_shownWord.clear();
    m_shownRows.clear();
}

void TPbrowseform::PShowWord(const QString &Word)
{
    Edit1->setText(Word);
    LBWordSvcHint->clear();
    JetQuery &q = Pdatamodule->PQuery;
    try {
        Pdatamodule->PSelectFromTableWhere(Tbl::TempTable, Col::Word, Word);
        q.open();
        if (!q.eof()) {
            Edit2->setText(q.fieldByName(Col::Explanation));
            Edit3->setText(q.fieldByName(Col::Association));
            Edit4->setText(q.fieldByName(Col::Phonetic));
            Edit5->setEditText(q.fieldByName(Col::Category));
            m_storedCategory = Edit5->currentText();
            PShowStoredText(ReExpl, q.fieldByName(Col::Details));
            PShowStoredText(ReSent, q.fieldByName(Col::Example));
        }
        q.close();
    } catch (const EngineError &) {
        q.close();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    // Without the font file the stored transcription stays: emptying it here would let the next
    // save erase it from the bank.
    m_storedPhonetic = Edit4->text();
    PApplyPhoneticFont(Edit4);
    if (Edit4->text().isEmpty())
        Edit4->setText(m_storedPhonetic);
    if (CheckBox1->isChecked())
        PSpeakWord(Edit1->text());
}

void TPbrowseform::PLoadBrowseList(const QString &OrderField, int Direction)
{
    PRefreshListView(PListView, Tbl::TempTable, OrderField, Direction, Mode::BrowseForm);
}

void TPbrowseform::PSetBrowseMode(const QString &Mode)
{
    const auto layout = PBrowseModeLayout(Mode);
    if (!layout)
        return;
    PListView->setColumnWidth(1, layout->wordWidth);
    PListView->setColumnWidth(2, layout->meaningWidth);
    for (const QString &name : layout->shown)
        findChild<QWidget *>(name)->setVisible(true);
    for (const QString &name : layout->hidden)
        findChild<QWidget *>(name)->setVisible(false);
    PListView->setFocus();
}

void TPbrowseform::reloadTempList()
{
    PRefreshListView(TempListView, QStringLiteral("temptable"), Col::Category, 0, Mode::BrowseForm);
}

void TPbrowseform::reloadCategories()
{
    // Refilling the choices empties the box; what the learner has there stays.
    const QString shown = Edit5->currentText();
    reloadTempList();
    PFillCategoryCombo(TempListView, PSub(ModeCol::BrowseForm::Category), Edit5);
    Edit5->setEditText(shown);
}

void TPbrowseform::applyPanelSizes(int DetailsHeight, int ExplWidth)
{
    // The splitters hand out the sizes they have; the window's own size is fixed, so lay it out first.
    layout()->activate();
    const int height = qBound(Panel1->minimumHeight(), DetailsHeight, Panel1->maximumHeight());
    Splitter2->setSizes({qMax(1, Splitter2->height() - Splitter2->handleWidth() - height), height});
    const int width = qMax(1, Splitter1->width() - Splitter1->handleWidth());
    Splitter1->setSizes({qBound(1, ExplWidth, width - 1), qMax(1, width - ExplWidth)});
}

// ---- activation, showing, closing

void TPbrowseform::FormActivate()
{
    PLoadFormBackground(this);
    PPlayBackMusic(QStringLiteral("study"));
    CBBrowseMode->setCurrentIndex(
        CBBrowseMode->findText(PConfigIni->ReadString(Ini::Browse, Ini::BrowseMode, PBrowseModes().first())));
    PSetBrowseMode(CBBrowseMode->currentText());
    PLoadBrowseList(Col::LastRight, 0);
    PClearWordFields();
    SBStart->show();
    SBPause->hide();
    PBrowseSeconds = 0;
    TimerBrowse->setEnabled(true);
    applyPanelSizes(PConfigIni->ReadInteger(Ini::BrowseForm, Ini::DetailsHeight, 120), PConfigIni->ReadInteger(Ini::BrowseForm, Ini::DetailsWidth, 200));
    SEReadInterval->setValue(PConfigIni->ReadInteger(Ini::BrowseForm, Ini::BrowseReadInterval, 2));
    CBBackMusic->setChecked(PConfigIni->ReadBool(Ini::BackMusic, Ini::CanPlay, true));
    PPlayBackMusic(QStringLiteral("study"));
    reloadCategories();
}

void TPbrowseform::FormShow()
{
    MEpra->setFocus();
    MEpra->selectAll();
    SBFindPra->show();
    SBReadPra->show();
}

void TPbrowseform::FormClose(TCloseAction &)
{
    TimerBrowse->setEnabled(false);
    TimerAutoBrowse->setEnabled(false);
    PClearItems(PListView);
    PStopBackMusic();
    PHandOver(PHandOvers().createForm);
}

// ---- the list

void TPbrowseform::PListViewSelectItem(QTreeWidgetItem *Item, bool Selected)
{
    if (!Selected || !Item)
        return;
    PBrowseIndex = PListView->indexOfTopLevelItem(Item);
    PShowWord(PSubItem(Item, PSub(ModeCol::BrowseForm::Word)));
    // Found now, while the learner reads, so that a save need not search the list.
    m_shownWord.clear();
    rowsOfShownWord();
}

QList<QTreeWidgetItem *> TPbrowseform::rowsOfShownWord()
{
    const QString word = Edit1->text();
    // The rows found when the word was shown, while each is still in the list with that word (a
    // sort moves rows but keeps them; a reload replaces them all).
    bool valid = m_shownWord == word;
    for (int i = 0; valid && i < m_shownRows.size(); ++i)
        valid = PListView->indexOfTopLevelItem(m_shownRows[i]) >= 0 && PSubItem(m_shownRows[i], PSub(ModeCol::BrowseForm::Word)) == word;
    if (!valid) {
        m_shownRows.clear();
        for (int i = 0; i < PItemCount(PListView); ++i)
            if (PSubItem(PItemAt(PListView, i), PSub(ModeCol::BrowseForm::Word)) == word)
                m_shownRows << PItemAt(PListView, i);
        m_shownWord = word;
    }
    return m_shownRows;
}

void TPbrowseform::PListViewColumnClick(int Column) { PSortListView(PListView, Column); }

void TPbrowseform::CBBrowseModeChange()
{
    PConfigIni->WriteString(Ini::Browse, Ini::BrowseMode, CBBrowseMode->currentText());
    PSetBrowseMode(CBBrowseMode->currentText());
}

// ---- clocks

void TPbrowseform::TimerBrowseTimer()
{
    ++PBrowseSeconds;
    LBBrowseSumTime->setText(QString::number(PBrowseSeconds) + QStringLiteral("秒"));
}

void TPbrowseform::TimerAutoBrowseTimer()
{
    if (m_asking)
        return;
    const TPAutoBrowseStep step = PAutoBrowseStep(PBrowseIndex, PItemCount(PListView));
    if (step.select >= 0)
        PItemAt(PListView, step.select)->setSelected(true);
    if (step.deselect >= 0)
        PItemAt(PListView, step.deselect)->setSelected(false);
    PBrowseIndex = step.next;
}

void TPbrowseform::SBStartClick()
{
    SBStart->hide();
    TimerAutoBrowse->setInterval(SEReadInterval->value() * 1000);
    TimerAutoBrowse->setEnabled(true);
    SBPause->show();
}

void TPbrowseform::SBPauseClick()
{
    SBPause->hide();
    TimerAutoBrowse->setEnabled(false);
    SBStart->show();
}

void TPbrowseform::SEReadIntervalChange()
{
    PConfigIni->WriteInteger(Ini::BrowseForm, Ini::BrowseReadInterval, SEReadInterval->value());
    TimerAutoBrowse->setInterval(SEReadInterval->value() * 1000);
}

// ---- panels and settings

void TPbrowseform::Splitter1Moved()
{
    // The details' part of the panel, whether or not the details are shown.
    PConfigIni->WriteInteger(Ini::BrowseForm, Ini::DetailsWidth, Splitter1->sizes().value(0));
}

void TPbrowseform::Splitter2Moved() { PConfigIni->WriteInteger(Ini::BrowseForm, Ini::DetailsHeight, Panel1->height()); }

void TPbrowseform::CheckBox2Click() { PanelTools1->setVisible(CheckBox2->isChecked()); }

void TPbrowseform::CBBackMusicClick() { PBackMusicCheckClick(CBBackMusic); }

// ---- keys and speech

void TPbrowseform::speakDirect(const QString &Text)
{
    if (PSpVoice)
        PSpVoice->Speak(QStringLiteral("<LANG LANGID=\"409\">") + Text, TSpVoice::SVSFlagsAsync);
}

void TPbrowseform::toggleVisible(QWidget *w) { w->setVisible(w->isHidden()); }

bool TPbrowseform::FormKeyUp(QKeyEvent *e)
{
    QWidget *focus = focusWidget();
    switch (e->key()) {
    case Qt::Key_Escape:
        PListView->setFocus();
        return true;
    case Qt::Key_F1:
        toggleVisible(Edit1);
        return true;
    case Qt::Key_F2:
        toggleVisible(Edit2);
        return true;
    case Qt::Key_F3:
        toggleVisible(Edit4);
        return true;
    case Qt::Key_F4:
        toggleVisible(Edit3);
        return true;
    case Qt::Key_F5:
        toggleVisible(ReExpl);
        return true;
    case Qt::Key_F6:
        toggleVisible(ReSent);
        return true;
    case Qt::Key_F8:
        if (focus == MEpra)
            speakDirect(MEpra->text());
        else if (focus == ReSent)
            speakDirect(ReSent->textCursor().selectedText());
        else
            speakDirect(Edit1->text());
        return true;
    case Qt::Key_F9:
        if (focus == MEpra)
            PopPra7Click();
        else if (focus == ReExpl)
            SBinsertClick();
        else if (focus == Edit3)
            SBautotipClick();
        return true;
    case Qt::Key_F12:
        Button1Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focus == MEpra) {
            MEpraKeyUp();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool TPbrowseform::eventFilter(QObject *watched, QEvent *e)
{
    if (!m_built)
        return TPForm::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        const bool in = e->type() == QEvent::FocusIn;
        if (watched == MEpra) {
            SBFindPra->setVisible(in);
            SBReadPra->setVisible(in);
        } else if (watched == ReExpl) {
            SBinsert->setVisible(in);
        } else if (watched == Edit4) {
            SBTellWrong->setVisible(in);
        } else if (watched == Edit3) {
            SBautotip->setVisible(in);
        }
    } else if (e->type() == QEvent::MouseButtonRelease && watched == Label3) {
        PGuard([this] { Label3Click(); });
    }
    return TPForm::eventFilter(watched, e);
}

void TPbrowseform::SBautotipClick() { Edit3->setText(Edit1->text().left(1) + QStringLiteral("%")); }

void TPbrowseform::SBReadWordClick() { PSpeakWord(Edit1->text()); }

void TPbrowseform::SBReadPraClick() { speakDirect(MEpra->text()); }

void TPbrowseform::MEpraKeyUp()
{
    const QString typed = MEpra->text();
    for (int i = 0; i < PItemCount(PListView); ++i) {
        QTreeWidgetItem *item = PItemAt(PListView, i);
        item->setSelected(false);
        if (PSubItem(item, PSub(ModeCol::BrowseForm::Word)) != typed)
            continue;
        item->setSelected(true);
        PBrowseIndex = i;
        const int meaning = PSub(ModeCol::BrowseForm::Explanation);
        if (!PSubItem(item, meaning).isEmpty())
            PSetSubItem(item, meaning, QString());
        else
            PSetSubItem(item, meaning,
                        Pdatamodule->PGetOneDataFromTable(Col::Explanation, PCurrentTable,
                                                          Col::Word, typed));
    }
    MEpra->clear();
}

// ---- ways out

void TPbrowseform::Button1Click()
{
    TimerBrowse->setEnabled(false);
    SBPauseClick();
    PStudyCounters().browseSeconds += PBrowseSeconds;
    hide();
    PStopBackMusic();
    const TPHandOvers &to = PHandOvers();
    try {
        PHandOver(to.prepareTest);
    } catch (const std::exception &e) {
        // The browser is already hidden: the learner goes back to the builder, never to no window.
        const auto *engine = dynamic_cast<const EngineError *>(&e);
        PReportError(engine ? engine->message() : QString::fromLocal8Bit(e.what()));
        PHandOver(to.createForm);
        return;
    }
    // Any other tool name is taken for the spelling test, so a window always follows.
    if (PConfigIni->ReadString(Ini::Main, Ini::Tool, ToolName::Spell) ==
        ToolName::MultipleChoice)
        PHandOver(to.testFormSelect);
    else
        PHandOver(to.testFormSpell);
}

void TPbrowseform::SpeedButton3Click()
{
    PHandOver(PHandOvers().quit);
}

void TPbrowseform::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("browse"))); }
