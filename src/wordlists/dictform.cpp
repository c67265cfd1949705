#include "wordlists/dictform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "services/phonetic.h"
#include "services/publicform.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/wordxml.h"
#include "wordlists/newwordrow.h"
#include "services/richtext.h"

#include <QComboBox>
#include <QCursor>
#include <QDomDocument>
#include <QGroupBox>
#include <QLabel>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QSplitter>
#include <QTextEdit>
#include <QToolButton>

TPDictForm *PDictForm = nullptr;
QString PDictFoundTable;
QString PDictFoundWord;

void TPDictForm::PShowOnWord(const QString &Word, bool MayChange)
{
    MeWord->setText(Word);
    PopFind0->trigger();
    if (!MayChange) {
        GBMove->hide();
        GBDelete->hide();
    }
    ShowModal();
}

void TPDictForm::BTFindClick() { PopMenuFind->popup(QCursor::pos() - QPoint(0, 8)); }

void TPDictForm::PClearResult()
{
    EdPron->clear();
    EdMean->clear();
    PShowPlainText(REExpl, QString());
    RESent->clear();
    ImgWordSvc->hide();
    GBadd->hide();
    PnMove->hide();
}

void TPDictForm::PFindWord()
{
    if (m_asking)
        return;
    const QString text = MeWord->text();
    if (text.isEmpty()) {
        LBhint->setText(QStringLiteral("请输入所查单词"));
        return;
    }
    // A word found in a list fills every box itself; any other outcome starts from empty boxes.
    try {
        if (Pdatamodule->PGetCountFromTableWhere(Tbl::TempTable, Col::Word, text.trimmed()) > 0) {
            PClearResult();
            LBhint->setText(QStringLiteral("正在学习的单词不可查"));
            return;
        }
        const bool letters = PIsLettersOnly(text);
        if (!letters)
            LBhint->setText(QStringLiteral("只能查英语单词"));
        PDictFoundTable = PFindWordTable(text);
        if (!letters) {
            PClearResult();
        } else if (PDictFoundTable.isEmpty()) {
            PClearResult();
            findOnline(text);
        } else {
            showListWord(text);
        }
    } catch (...) {
        PClearResult();
        throw;
    }
}

void TPDictForm::findOnline(const QString &word)
{
    QDomDocument doc;
    TPWordAnswer answer = TPWordAnswer::Unreachable;
    {
        // The window paints and says that it is asking; a second look-up waits for this one.
        m_asking = true;
        BTFind->setEnabled(false);
        PopFind0->setEnabled(false);
        LBhint->setText(PWordServiceAsking());
        const auto done = qScopeGuard([this] {
            m_asking = false;
            BTFind->setEnabled(true);
            PopFind0->setEnabled(true);
        });
        HttpWaiter waiter;
        if (PIsOnlineWaiting(waiter))
            answer = PAskWordService(doc, word, waiter);
    }
    if (answer != TPWordAnswer::Known) {
        LBhint->setText(answer == TPWordAnswer::Unknown ? QStringLiteral("查无此词") : PWordServiceTrouble(answer));
        ImgWordSvc->hide();
        return;
    }
    EdMean->setText(doc.documentElement().firstChildElement(QStringLiteral("def")).text());
    PShowExampleSentences(doc, RESent);
    QString pron;
    PLookupPhonetic(word, pron);
    EdPron->setText(pron);
    GBadd->show();
    ImgWordSvc->show();
    PnMove->hide();
    LBhint->setText(QStringLiteral("在海词网站上找到该词"));
}

void TPDictForm::showListWord(const QString &word)
{
    PDictFoundWord = word;
    JetQuery &q = Pdatamodule->PQuery;
    Pdatamodule->PSelectFromTableWhere(PDictFoundTable, Col::Word, word);
    q.open();
    QString pron, mean, expl, sent;
    if (!q.eof()) {
        pron = q.fieldByName(Col::Phonetic);
        mean = q.fieldByName(Col::Explanation);
        expl = q.fieldByName(Col::Details);
        sent = q.fieldByName(Col::Example);
    }
    q.close();
    EdPron->setText(pron);
    EdMean->setText(mean);
    PShowPlainText(REExpl, expl);
    PShowStoredText(RESent, sent);
    GBadd->hide();
    ImgWordSvc->hide();
    PnMove->show();
    PFillMoveTargets(CBWordTableMove, PDictFoundTable);
    LBhint->setText(QStringLiteral("在单词表“ ") + PDictFoundTable + QStringLiteral(" ”中找到该词"));
}

void TPDictForm::doneWithWord()
{
    PClearResult();
    MeWord->setFocus();
}

bool TPDictForm::wordUnchanged()
{
    if (MeWord->text() == PDictFoundWord)
        return true;
    LBhint->setText(QStringLiteral("单词改变，无法保存"));
    return false;
}

void TPDictForm::Button4Click()
{
    const QString word = MeWord->text();
    const QString mean = EdMean->text();
    if (!word.isEmpty() && !mean.isEmpty() && word != mean) {
        try {
            PInsertNewWord(CBWordTableAdd->currentText(),
                           {word, EdPron->text(), mean, REExpl->toPlainText(), PRichTextSource(RESent),
                            Code::Wrong});
        } catch (const EngineError &) {
            PDialogs().message(QStringLiteral("添加失败"), QString(), Dialogs::Critical);
            return;
        }
        LBhint->setText(QStringLiteral("添加成功"));
        PSpeakOk();
    }
    doneWithWord();
}

void TPDictForm::Button5Click()
{
    if (!wordUnchanged())
        return;
    try {
        Pdatamodule->PDeleteOneRecordFromTable(PDictFoundTable, Col::Word, PDictFoundWord);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("删除失败"), QString(), Dialogs::Critical);
        return;
    }
    LBhint->setText(QStringLiteral("已删除"));
    doneWithWord();
}

void TPDictForm::Button1Click()
{
    if (!wordUnchanged())
        return;
    const QString target = CBWordTableMove->currentText();
    if (Pdatamodule->PGetCountFromTableWhere(target, Col::Word, PDictFoundWord) > 0) {
        LBhint->setText(QStringLiteral("单词表 ") + target + QStringLiteral(" 中已有该词"));
    } else {
        // Copy and delete land together: a failure leaves the word where it was.
        JetTransaction t(Pdatamodule->PConnection);
        Pdatamodule->PMoveOneRecordToTable(PDictFoundTable, target, Col::Word, PDictFoundWord);
        Pdatamodule->PDeleteOneRecordFromTable(PDictFoundTable, Col::Word, PDictFoundWord);
        t.commit();
        LBhint->setText(QStringLiteral("转移成功"));
    }
    doneWithWord();
}

void TPDictForm::BTsaveClick()
{
    if (!wordUnchanged())
        return;
    PSaveChanges();
    MeWord->setFocus();
}

void TPDictForm::PSaveChanges()
{
    if (PCheckWordAndMeaning(MeWord->text(), EdMean->text()))
        return;
    try {
        const std::pair<QString, QString> fields[] = {{Col::Phonetic, EdPron->text()},
                                                      {Col::Explanation, EdMean->text()},
                                                      {Col::Details, PPlainTextSource(REExpl)},
                                                      {Col::Example, PRichTextSource(RESent)}};
        JetTransaction t(Pdatamodule->PConnection);
        for (const auto &f : fields)
            Pdatamodule->PUpdateOneDataFromTable(PDictFoundTable, Col::Word, f.first, PDictFoundWord, f.second);
        t.commit();
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("更改") + MeWord->text() + QStringLiteral("失败"), QString(),
                           Dialogs::Critical);
        return;
    }
    PSpeakOk();
}

void TPDictForm::RESentSelectionChange()
{
    const QString s = RESent->textCursor().selectedText();
    const QString t = s.trimmed();
    PopSent1->setEnabled(PIsPrintableAscii(t));
    PopSent2->setEnabled(PIsLettersOnly(t) && s.size() > 1 && s.size() < 100 &&
                         Pdatamodule->PGetCountFromTableWhere(Tbl::TempTable, Col::Word, t) == 0);
}

void TPDictForm::PopSent2Click()
{
    MeWord->setText(RESent->textCursor().selectedText().trimmed());
    PFindWord();
}

void TPDictForm::Splitter1Moved()
{
    PConfigIni->WriteInteger(Ini::DictForm, Ini::DictExplWidth, REExpl->width());
}

void TPDictForm::FormActivate()
{
    PApplyPhoneticFont(EdPron);
    PLoadCurrentTableName();
    CBWordTableAdd->clear();
    PFillTableCombo(CBWordTableAdd);
    const int width = PConfigIni->ReadInteger(Ini::DictForm, Ini::DictExplWidth, 200);
    const QList<int> sizes = Splitter1->sizes();
    const int both = sizes.value(0) + sizes.value(1);
    // Sizes that add up to the space there is are taken as they are, not scaled.
    Splitter1->setSizes({width, qMax(both - width, 1)});
    MeWord->setFocus();
    // What the learner types next is a new word, not more of the last one.
    MeWord->selectAll();
}

void TPDictForm::FormClose(TCloseAction &)
{
    for (QGroupBox *g : {GBadd, GBMove, GBDelete}) {
        g->setEnabled(true);
        g->show();
    }
}

