#pragma once
// The article word counter: splits a typed or pasted English text into its words, lists them and
// shows their number in the caption. Made at start-up; no entry of the program opens it.

#include "platform/formbase.h"
#include "platform/windowkit.h"

class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class TPTitleCreateForm;

extern TPTitleCreateForm *PTitleCreateForm;

class TPTitleCreateForm : public TPForm {
    Q_OBJECT
public:
    explicit TPTitleCreateForm(QWidget *parent = nullptr);

    QTextEdit *REArticle;
    QPushButton *BtGotoBrowse;
    QPlainTextEdit *Memo1;
    QPlainTextEdit *Memo2;

    // Memo1 := the words of Text, one a line; returns their number.
    int PSplitArticleWords(const QString &Text);
    void BtGotoBrowseClick();

private:
    TPInstance<TPTitleCreateForm> m_instance{PTitleCreateForm, this};
};
