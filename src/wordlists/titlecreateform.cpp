#include "wordlists/titlecreateform.h"

#include "rules/articlewords.h"
#include "platform/windowlook.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TPTitleCreateForm *PTitleCreateForm = nullptr;

namespace {
QPlainTextEdit *wordMemo(QWidget *parent, const char *name)
{
    auto *m = new QPlainTextEdit(QString::fromLatin1(name), parent);
    m->setObjectName(QLatin1String(name));
    m->setFixedSize(61, 337);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}
}  // namespace

TPTitleCreateForm::TPTitleCreateForm(QWidget *parent) : TPForm(parent)
{
    setObjectName(QStringLiteral("PTitleCreateForm"));
    setWindowTitle(QStringLiteral("文章选词器 for LexorinV03 - Tavisk设计"));
    resize(800, 600);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, NamedColor::MoneyGreen);
    setPalette(palette);
    setAutoFillBackground(true);

    REArticle = new QTextEdit(this);
    REArticle->setObjectName(QStringLiteral("REArticle"));
    REArticle->setFixedSize(565, 341);
    REArticle->setFont(QFont(QStringLiteral("宋体")));
    REArticle->setPlainText(QStringLiteral("RETitle"));
    BtGotoBrowse = new QPushButton(QStringLiteral("分析"), this);
    BtGotoBrowse->setObjectName(QStringLiteral("BtGotoBrowse"));
    QFont official(QStringLiteral("隶书"));
    official.setPointSize(20);
    BtGotoBrowse->setFont(official);
    Memo1 = wordMemo(this, "Memo1");
    Memo2 = wordMemo(this, "Memo2");

    auto *article = new QVBoxLayout;
    article->addWidget(REArticle);
    article->addWidget(BtGotoBrowse, 0, Qt::AlignLeft);
    article->addStretch();
    auto *row = new QHBoxLayout;
    row->addLayout(article);
    row->addWidget(Memo1, 0, Qt::AlignTop);
    row->addWidget(Memo2, 0, Qt::AlignTop);
    row->addStretch();
    auto *main = new QVBoxLayout(this);
    main->addLayout(row);
    main->addStretch();

    PCenterOnScreen(this);

    PConnect(BtGotoBrowse, &QPushButton::clicked, this, &TPTitleCreateForm::BtGotoBrowseClick);
}

int TPTitleCreateForm::PSplitArticleWords(const QString &Text)
{
    QStringList words;
    const int n = ::PSplitArticleWords(Text, words);
    Memo1->setPlainText(words.join(QLatin1Char('\n')));
    return n;
}

void TPTitleCreateForm::BtGotoBrowseClick()
{
    setWindowTitle(QString::number(PSplitArticleWords(REArticle->toPlainText())));
}
