#pragma once
// The review of wrong answers: a modal list that the test tools fill with the words the learner
// got wrong; meanings stay hidden until asked for.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/reviewsession.h"

#include <QStringList>
#include <functional>

class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TLinkLabel;

class TPShowWrongForm : public TPForm {
    Q_OBJECT
public:
    explicit TPShowWrongForm(QWidget *parent = nullptr);
    ~TPShowWrongForm() override;

    QTreeWidget *PLVsw = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QToolButton *SpeedButton13 = nullptr;
    QToolButton *SpeedButton12 = nullptr;
    QLineEdit *MEpra = nullptr;
    TLinkLabel *Label3 = nullptr;

    int selectedIndex() const { return m_session.selected(); }
    const TPReviewSession &session() const { return m_session; }
    // Puts Words in the list, meanings hidden (the fillers' way in; PShowWrongWords also opens it).
    void PFill(const QStringList &Words);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void SpeedButton13Click();
    void SpeedButton12Click();
    void Label3Click();
    void PLVswDblClick();
    void PLVswSelectItem(QTreeWidgetItem *Item);

protected:
    void FormActivate() override;
    void FormShow() override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void toggleMeaning(int Row);
    void toggleSelected();
    void MEpraKeyUp(QKeyEvent *e);
    void PShowRows();
    void PShowTicks();
    void PLVswItemChanged(QTreeWidgetItem *Item, int Column);

    TPReviewSession m_session;
    bool m_showing = false;  // the list is being drawn: its changes are not the learner's
    int m_keyDown = 0;  // the key last pressed in MEpra
    TPInstance<TPShowWrongForm> m_instance;
};

extern TPShowWrongForm *PShowWrongForm;

// Fills the review with one item per word (meaning hidden) and opens it modally when there is at
// least one; false when there was nothing to review.
bool PShowWrongWords(const QStringList &Words);
