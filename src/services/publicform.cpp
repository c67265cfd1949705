#include "services/publicform.h"

#include "services/pronunciation.h"
#include "services/handovers.h"

#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

TPPublicForm *PPublicForm = nullptr;

TPPublicForm::TPPublicForm(QWidget *parent) : TPForm(parent)
{
    setObjectName(QStringLiteral("PPublicForm"));

    P_LVtest = new QTreeWidget(this);
    P_LVtest->setObjectName(QStringLiteral("P_LVtest"));
    P_LVtest->setRootIsDecorated(false);
    P_LVtest->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("音标"),
                               QStringLiteral("解释"), QStringLiteral("联想"), QStringLiteral("详解"),
                               QStringLiteral("例句"), QStringLiteral("做过"), QStringLiteral("做错"),
                               QStringLiteral("经验"), QStringLiteral("类别"), QStringLiteral("上次"),
                               QStringLiteral("时间"), QStringLiteral("掌握")});

    P_LVmini = new QTreeWidget(this);
    P_LVmini->setObjectName(QStringLiteral("P_LVmini"));
    P_LVmini->setRootIsDecorated(false);
    P_LVmini->setSelectionMode(QAbstractItemView::ExtendedSelection);
    P_LVmini->setHeaderLabels(
        {QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("重复")});

    P_Memo = new QPlainTextEdit(this);
    P_Memo->setObjectName(QStringLiteral("P_Memo"));

    m_timerPlayMusic = PPlayClock().newTimer(this, QStringLiteral("TimerPlayMusic"), PMusicTimerInterval);
    TimerPlayMusic = m_timerPlayMusic.get();
    TimerPlayMusic->OnTimer = [this] { PGuard([this] { TimerPlayMusicTimer(); }); };
    TPlayTimer *timer = TimerPlayMusic;
    PSetMusicTimerSwitch([timer](bool on) { timer->setEnabled(on); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(P_LVtest);
    layout->addWidget(P_LVmini);
    layout->addWidget(P_Memo);

    PPublicForm = this;
}

TPPublicForm::~TPPublicForm()
{
    if (PPublicForm == this) {
        PPublicForm = nullptr;
        PSetMusicTimerSwitch(nullptr);
    }
}

namespace {
}  // namespace


void TPPublicForm::PShowWordInDict(const QString &Word, const QString &Mode)
{
    PHandOver(PHandOvers().dictForm, Word, Mode != QLatin1String("no"));
}

void TPPublicForm::TimerPlayMusicTimer()
{
    PMusicTimerTick();
}
