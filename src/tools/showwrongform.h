#pragma once
// The review of wrong answers: a modal list that the test tools fill with the words the learner
// got wrong; meanings stay hidden until asked for.

#include "platform/formbase.h"
#include "platform/windowkit.h"

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

    int selectedIndex() const { return m_selected; }

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
    void toggleMeaning(QTreeWidgetItem *Item);
    void toggleSelected();
    void MEpraKeyUp(QKeyEvent *e);

    int m_selected = 0;
    TPInstance<TPShowWrongForm> m_instance;
};

extern TPShowWrongForm *PShowWrongForm;

// Opens the small dictionary on a word; Mode "no" hides its move and delete groups. The review
// reaches the dictionary only through this.

// Fills the review with one item per word (meaning hidden) and opens it modally when there is at
// least one; false when there was nothing to review.
bool PShowWrongWords(const QStringList &Words);
