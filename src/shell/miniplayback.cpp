// The mini browser's word list and its playback: the word cycle on the two word timers, repeats,
// the meaning rules, manual moves, hiding mastered words and the application timer.

#include "shell/minibrowseform.h"

#include "core/listviews.h"
#include "platform/playtimer.h"
#include "services/publicform.h"
#include "services/pronunciation.h"
#include "services/webaccess.h"
#include "shell/welcomeform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

int PMiniIndex = 0;
bool PMiniPhase = false;
int PMiniRepeatsLeft = 0;
int PAppTicks = 0;

namespace {
QTreeWidget *miniList() { return PPublicForm ? PPublicForm->P_LVmini : nullptr; }
}  // namespace

int TPMiniBrowseForm::wordCount() const
{
    QTreeWidget *lv = miniList();
    return lv ? PItemCount(lv) : 0;
}

// The item at PMiniIndex, or none when the index lies outside the list (after a shorter list was
// loaded, or one past the last word between two halves of the cycle).
QTreeWidgetItem *TPMiniBrowseForm::currentItem() const
{
    QTreeWidget *lv = miniList();
    if (!lv || PMiniIndex < 0 || PMiniIndex >= PItemCount(lv))
        return nullptr;
    return PItemAt(lv, PMiniIndex);
}

// The bar's range never goes below its minimum, and moving it here must not move the index.
void TPMiniBrowseForm::setBarMaximum(int count)
{
    if (count < TBProcess->minimum())
        return;
    const QSignalBlocker block(TBProcess);
    TBProcess->setMaximum(count);
}

void TPMiniBrowseForm::setBarPosition(int position)
{
    const QSignalBlocker block(TBProcess);
    TBProcess->setValue(position);
}

QString TPMiniBrowseForm::PRepeatCountOfMastery(const QString &Mastery, const QString &Mode)
{
    if (Mode != QLatin1String("MiniMaster"))
        return QStringLiteral("0");
    if (Mastery == QLatin1String("01"))
        return QStringLiteral("1");
    if (Mastery == QLatin1String("10"))
        return QStringLiteral("2");
    if (Mastery == QLatin1String("11"))
        return QStringLiteral("0");
    return QStringLiteral("3");
}

void TPMiniBrowseForm::PLoadWords(const QString &Kind, const QString &Table, const QString &Mode)
{
    QTreeWidget *lv = miniList();
    if (!lv)
        return;
    if (Kind == QLatin1String("WordTable"))
        PRefreshListView(lv, Table, QString(), 0, Mode);
    for (int i = PItemCount(lv) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(lv, i);
        PSetSubItem(item, PMiniRepeatColumn, PRepeatCountOfMastery(PSubItem(item, PMiniRepeatColumn), Mode));
    }
    const int count = PItemCount(lv);
    setBarMaximum(count);
    if (TBProcess->maximum() < PMiniIndex) {
        setBarPosition(1);
        PMiniIndex = 0;
        LBProcess->setText(QStringLiteral("0/") + QString::number(count));
    }
}

void TPMiniBrowseForm::PShowCurrentWord()
{
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    LBWord->setText(PCaption(item));
    LBPron->setText(QLatin1Char(' ') + PSubItem(item, PSub(ModeCol::MiniMaster::Phonetic)) + QLatin1Char(' '));
    MeMean->clear();
    LBProcess->setText(QString::number(PMiniIndex + 1) + QLatin1Char('/') + QString::number(wordCount()));
    // Moving the bar runs its change handler, which shows this same word again.
    TBProcess->setValue(PMiniIndex + 1);
}

void TPMiniBrowseForm::PShowMeaning()
{
    QTreeWidgetItem *item = currentItem();
    if (!item || (CBFilter->isChecked() && PMiniRepeatsLeft == 0))
        MeMean->clear();
    else
        MeMean->setText(PSubItem(item, PSub(ModeCol::MiniMaster::Explanation)));
    MeMean->setCursorPosition(0);
}

void TPMiniBrowseForm::PSpeakCurrentWord()
{
    if (QTreeWidgetItem *item = currentItem())
        PSpeakWord(PCaption(item));
}

int TPMiniBrowseForm::PFindWordIndex(const QString &Word, QTreeWidget *ListView)
{
    const int n = PItemCount(ListView);
    for (int i = 0; i < n; ++i)
        if (PCaption(PItemAt(ListView, i)) == Word)
            return i;
    return -1;
}

void TPMiniBrowseForm::PRemoveMasteredWords(QTreeWidget *ListView)
{
    for (int i = PItemCount(ListView) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (PSubItem(item, PMiniRepeatColumn) == QLatin1String("0"))
            PRemoveItem(item);
    }
    PSyncPosition(ListView);
}

void TPMiniBrowseForm::PSyncPosition(QTreeWidget *ListView)
{
    const int count = PItemCount(ListView);
    if (count == 0) {
        stopOnEmptyList();
        return;
    }
    setBarMaximum(count);
    PMiniIndex = PFindWordIndex(LBWord->text(), ListView);
    if (PMiniIndex < 0)
        PMiniIndex = 0;
    setBarPosition(PMiniIndex + 1);
    LBProcess->setText(QString::number(PMiniIndex + 1) + QLatin1Char('/') + QString::number(TBProcess->maximum()));
}

// Nothing is left to play: the cycle stops instead of reading an item that is not there.
void TPMiniBrowseForm::stopOnEmptyList()
{
    TimerBrowse->setEnabled(false);
    TimerRepeat->setEnabled(false);
    SBPause->hide();
    SBStart->show();
    PMiniIndex = 0;
    PMiniRepeatsLeft = 0;
    LBWord->setText(QStringLiteral("没有单词"));
    LBPron->clear();
    MeMean->clear();
    LBProcess->setText(QStringLiteral("0/0"));
}

void TPMiniBrowseForm::TimerBrowseTimer()
{
    if (wordCount() == 0) {
        stopOnEmptyList();
        return;
    }
    PMiniPhase = !PMiniPhase;
    if (PMiniPhase) {
        // After the last word comes the first: playback never ends by itself.
        if (PMiniIndex >= wordCount())
            PMiniIndex = 0;
        PShowCurrentWord();
        if (!SERepeatTimes->isHidden())
            PMiniRepeatsLeft = SERepeatTimes->value();
        else
            PMiniRepeatsLeft = PSubItem(currentItem(), PMiniRepeatColumn).toInt();
        if (!CBDelay->isChecked())
            PShowMeaning();
        PSpeakCurrentWord();
    } else {
        PShowMeaning();
        if (PMiniRepeatsLeft > 0 && CBRepeat->isChecked()) {
            TimerRepeat->setEnabled(true);
            TimerBrowse->setEnabled(false);
        } else {
            ++PMiniIndex;
        }
    }
}

void TPMiniBrowseForm::TimerRepeatTimer()
{
    if (wordCount() == 0) {
        stopOnEmptyList();
        return;
    }
    PSpeakCurrentWord();
    --PMiniRepeatsLeft;
    if (PMiniRepeatsLeft < 1) {
        TimerBrowse->setEnabled(true);
        TimerRepeat->setEnabled(false);
        ++PMiniIndex;
    }
}

void TPMiniBrowseForm::SBStartClick()
{
    PMiniPhase = false;
    if (wordCount() == 0) {
        LBWord->setText(QStringLiteral("没有单词"));
        return;
    }
    SBStart->hide();
    SBPause->show();
    TimerBrowse->setEnabled(true);
}

void TPMiniBrowseForm::SBPauseClick()
{
    SBPause->hide();
    SBStart->show();
    TimerBrowse->setEnabled(false);
    TimerRepeat->setEnabled(false);
}

void TPMiniBrowseForm::SBGoFrontClick()
{
    const int count = wordCount();
    if (count == 0)
        return;
    // From the last item, or from one past it where the cycle leaves the index, to the first.
    PMiniIndex = PMiniIndex + 1 >= count ? 0 : PMiniIndex + 1;
    PShowCurrentWord();
    PShowMeaning();
}

void TPMiniBrowseForm::SBGoBackClick()
{
    const int count = wordCount();
    if (count == 0)
        return;
    PMiniIndex = PMiniIndex <= 0 || PMiniIndex > count ? count - 1 : PMiniIndex - 1;
    PShowCurrentWord();
    PShowMeaning();
}

void TPMiniBrowseForm::TBProcessChange()
{
    PMiniIndex = TBProcess->value() - 1;
    PShowCurrentWord();
}

void TPMiniBrowseForm::LBWordClick() { PSpeakWord(LBWord->text()); }

void TPMiniBrowseForm::CBNotShowMasterModeClick()
{
    // Once on, the learner cannot switch it off; activation and the return command do.
    CBNotShowMasterMode->setEnabled(!CBNotShowMasterMode->isChecked());
    if (QTreeWidget *lv = miniList())
        PRemoveMasteredWords(lv);
}

void TPMiniBrowseForm::TimerAppTimer()
{
    ++PAppTicks;
    if (PAppTicks == 1) {
        // The hand-over of start-up: the main window gives way to the welcome window.
        hide();
        if (PWelcomeForm)
            PWelcomeForm->Show();
    } else if (PAppTicks == 10) {
        PCheckNewVersion(PStatusPageText);
    }
}
