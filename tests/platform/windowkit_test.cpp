#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "platform/reportview.h"
#include "support/columnfit.h"
#include "support/qstringprinter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
struct Keyed : TPForm {
    Keyed() { resize(200, 100); }
};
}  // namespace

// A title is never cut: a column too narrow for it widens once the list is shown, and again when
// the list's font grows; a column wide enough keeps its width. Before the showing nothing is
// measured, so a font set on a hidden list costs nothing until then.
TEST(WindowKit, AReportViewColumnIsAtLeastAsWideAsItsTitle)
{
    QWidget w;
    QTreeWidget *v = PMakeReportView(&w, QStringLiteral("LVtitles"),
                                     {{QStringLiteral("拼写次数"), 35}, {QStringLiteral("ID"), 40}, {QStringLiteral("x"), 0, true}});
    const auto fits = [v](int i) {
        return v->columnWidth(i) > v->header()->fontMetrics().horizontalAdvance(v->headerItem()->text(i));
    };
    QFont big = v->font();
    big.setPixelSize(30);
    v->setFont(big);
    EXPECT_EQ(v->columnWidth(0), 35);
    EXPECT_EQ(v->columnWidth(1), 40);
    w.show();
    EXPECT_TRUE(fits(0));
    EXPECT_TRUE(fits(1));
    EXPECT_TRUE(v->isColumnHidden(2));
    big.setPixelSize(60);
    v->setFont(big);
    EXPECT_TRUE(fits(0));
    EXPECT_TRUE(fits(1));
}

// A column holding codes is at least as wide as each of them needs in the list's own font and
// item style, set after the list was made; a column wide enough keeps its width, and a column
// without codes keeps its width whatever its cells hold.
TEST(WindowKit, AReportViewColumnHoldsItsCodesWhole)
{
    QWidget w;
    QTreeWidget *v = PMakeReportView(&w, QStringLiteral("LVcodes"),
                                     {{QStringLiteral("I"), 10, false, {QStringLiteral("00000")}},
                                      {QStringLiteral("上"), 20, false, {QStringLiteral("对"), QStringLiteral("未做")}},
                                      {QStringLiteral("宽"), 200, false, {QStringLiteral("未做")}},
                                      {QStringLiteral("词"), 30}});
    PShowGridLines(v);
    QFont big = v->font();
    big.setPixelSize(24);
    v->setFont(big);
    new QTreeWidgetItem(v, {QStringLiteral("12345"), QStringLiteral("未做"), QStringLiteral("未做"),
                            QStringLiteral("a long word the column cuts")});
    new QTreeWidgetItem(v, {QStringLiteral("7"), QStringLiteral("对"), QString(), QString()});
    w.resize(600, 200);
    w.show();
    PExpectCellsWhole(v, {0, 1});
    EXPECT_EQ(v->columnWidth(2), 200);
    EXPECT_EQ(v->columnWidth(3), 30);
    big.setPixelSize(40);
    v->setFont(big);
    PExpectCellsWhole(v, {0, 1});
}

// The header of a list made long before it is seen stands above its rows once shown, exactly as
// a plain list's does.
TEST(WindowKit, AReportViewShowsItsHeaderAboveItsRowsOnceShown)
{
    QWidget w;
    auto *layout = new QHBoxLayout(&w);
    QTreeWidget *v = PMakeReportView(&w, QStringLiteral("LVmade"), {{QStringLiteral("单词"), 80}, {QStringLiteral("解释"), 120}});
    auto *plain = new QTreeWidget(&w);
    plain->setHeaderLabels({QStringLiteral("单词"), QStringLiteral("解释")});
    for (QTreeWidget *t : {v, plain}) {
        new QTreeWidgetItem(t, {QStringLiteral("apple"), QStringLiteral("苹果")});
        layout->addWidget(t);
    }
    EXPECT_TRUE(v->header()->isHidden());  // nothing to measure while the list is out of sight
    w.show();
    ASSERT_TRUE(v->header()->isVisible());
    EXPECT_GT(v->header()->height(), 0);
    EXPECT_EQ(v->header()->height(), plain->header()->height());
    EXPECT_EQ(v->viewport()->geometry().top(), plain->viewport()->geometry().top());
    const QRect row = v->visualItemRect(v->topLevelItem(0)), plainRow = plain->visualItemRect(plain->topLevelItem(0));
    EXPECT_EQ(row.top(), plainRow.top());
    EXPECT_EQ(row.height(), plainRow.height());
}

// A picture button shows the style's own icon, at each size and state it is drawn in, though
// the image files are read only when it is first drawn.
TEST(WindowKit, APictureButtonDrawsTheStylesIcon)
{
    QWidget w;
    QToolButton *b = PMakePictureButton(&w, QStringLiteral("SBplay"), QStyle::SP_MediaPlay, QStringLiteral("播放"));
    const QIcon expected = w.style()->standardIcon(QStyle::SP_MediaPlay);
    EXPECT_FALSE(b->icon().isNull());
    for (int size : {16, 22, 32})
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
            EXPECT_EQ(b->icon().pixmap(size, mode).toImage(), expected.pixmap(size, mode).toImage()) << size;
    EXPECT_EQ(b->icon().actualSize(QSize(64, 64)), expected.actualSize(QSize(64, 64)));
    EXPECT_EQ(PMakePictureButton(&w, QStringLiteral("SBstop"), QStyle::SP_MediaStop, QString())->icon().pixmap(16).toImage(),
              w.style()->standardIcon(QStyle::SP_MediaStop).pixmap(16).toImage());
}

TEST(WindowKit, AReportViewIsMadeFromItsColumnTable)
{
    QWidget w;
    QTreeWidget *v = PMakeReportView(&w, QStringLiteral("LVlist"),
                                     {{QStringLiteral("ID"), 0, true}, {QStringLiteral("单词"), 120}, {QStringLiteral("解释"), 200}},
                                     true);
    EXPECT_EQ(w.findChild<QTreeWidget *>(QStringLiteral("LVlist")), v);
    ASSERT_EQ(v->columnCount(), 3);
    EXPECT_EQ(v->headerItem()->text(0), QStringLiteral("ID"));
    EXPECT_EQ(v->headerItem()->text(2), QStringLiteral("解释"));
    EXPECT_TRUE(v->isColumnHidden(0));
    EXPECT_FALSE(v->isColumnHidden(1));
    EXPECT_EQ(v->columnWidth(1), 120);
    EXPECT_EQ(v->columnWidth(2), 200);
    EXPECT_TRUE(PHasCheckBoxes(v));
    EXPECT_FALSE(v->rootIsDecorated());
    EXPECT_EQ(v->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(PHasCheckBoxes(PMakeReportView(&w, QStringLiteral("LV2"), {{QStringLiteral("单词"), 80}})));
}

TEST(WindowKit, ButtonsAndLabelsAreFoundByTheirNames)
{
    QWidget w;
    QPushButton *b = PMakeButton(&w, QStringLiteral("BTstart"), QStringLiteral("开始"));
    QLabel *l = PMakeLabel(&w, QStringLiteral("LBcount"), QStringLiteral("共 0 个"));
    EXPECT_EQ(w.findChild<QPushButton *>(QStringLiteral("BTstart")), b);
    EXPECT_EQ(b->text(), QStringLiteral("开始"));
    EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("LBcount")), l);
    EXPECT_EQ(l->text(), QStringLiteral("共 0 个"));
}

TEST(WindowKit, TheInstancePointerLivesAsLongAsItsWindow)
{
    static QWidget *instance = nullptr;
    struct Win : QWidget {
        TPInstance<QWidget> m_instance{instance, this};
    };
    {
        Win w;
        EXPECT_EQ(instance, &w);
    }
    EXPECT_EQ(instance, nullptr);
}

TEST(WindowKit, ABoundKeyActsOnReleaseOnlyAndNotOnRepeats)
{
    Keyed f;
    int runs = 0;
    f.PBindKeyUp(Qt::Key_F7, [&] { ++runs; });
    f.show();
    QTest::keyPress(&f, Qt::Key_F7);
    EXPECT_EQ(runs, 0);
    QTest::keyRelease(&f, Qt::Key_F7);
    EXPECT_EQ(runs, 1);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_F7, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&f, &repeat);
    EXPECT_EQ(runs, 1);
    QTest::keyRelease(&f, Qt::Key_F8);
    EXPECT_EQ(runs, 1);
}

// The tick lists' row lines: one line of the colour under every row, the selection still drawn in
// the selection colours.
TEST(WindowKit, RowLinesRunUnderEveryRowAndKeepTheSelectionVisible)
{
    QWidget w;
    QTreeWidget *v = PMakeReportView(&w, QStringLiteral("LVlines"), {{QStringLiteral("单词"), 120}, {QStringLiteral("解释"), 120}}, true);
    PShowRowLines(v, QColor(Qt::red));
    for (const char *word : {"apple", "banana", "cherry"})
        v->addTopLevelItem(new QTreeWidgetItem(QStringList{QLatin1String(word), QStringLiteral("释义")}));
    v->resize(300, 200);
    v->topLevelItem(1)->setSelected(true);
    const QImage image = v->viewport()->grab().toImage();
    for (int row = 0; row < 3; ++row) {
        const QRect r = v->visualItemRect(v->topLevelItem(row));
        int red = 0;
        for (int x = r.left(); x < 240; ++x)
            red += QColor(image.pixel(x, r.bottom())) == QColor(Qt::red);
        EXPECT_GT(red, 200) << "row " << row;
        EXPECT_NE(QColor(image.pixel(200, r.center().y())), QColor(Qt::red)) << "row " << row;
    }
    const QRect selected = v->visualItemRect(v->topLevelItem(1));
    EXPECT_EQ(QColor(image.pixel(200, selected.center().y())), v->palette().color(QPalette::Highlight));
}

// A caption out of sight is not measured: it keeps its size while its window shows only the part
// above it, and takes its text's size the moment the window grows over it (or, when in sight, as
// the window is shown).
TEST(WindowKit, ACaptionFitsItsTextWhenItsWindowFirstShowsIt)
{
    for (const bool inSight : {true, false}) {
        SCOPED_TRACE(inSight ? "in sight" : "below the bar");
        QWidget w;
        w.resize(300, 30);
        auto *l = new QLabel(QStringLiteral("重复间隔秒数"), &w);
        l->move(10, inSight ? 5 : 100);
        l->resize(4, 4);
        PFitToTextWhenSeen(l);
        w.show();
        EXPECT_EQ(l->size(), inSight ? l->sizeHint() : QSize(4, 4));
        w.resize(300, 200);
        EXPECT_EQ(l->size(), l->sizeHint());
        l->resize(4, 4);  // fitted once: later changes of the window leave it alone
        w.resize(300, 250);
        EXPECT_EQ(l->size(), QSize(4, 4));
    }
}

namespace {
// A window that notes what its box holds when its show handler runs.
struct BoxForm : TPForm {
    BoxForm() : box(new QLineEdit(this)) { resize(200, 100); }
    void FormShow() override { seenOnShow = box->text(); }
    QLineEdit *box;
    QString seenOnShow = QStringLiteral("(no show)");
};

struct TextWhenSeenCase {
    const char *name;
    bool programWindow;    // the box sits in a window of the program (else a plain widget)
    bool shownBefore;      // the window was shown (and hidden) before the text was given
    const char *typed;     // what the box got meanwhile, before the first showing
    const char *untilShown;
    const char *shown;
};

void PrintTo(const TextWhenSeenCase &c, std::ostream *os) { *os << c.name; }

class TextWhenSeen : public ::testing::TestWithParam<TextWhenSeenCase> {};

// A text given to a box in a window never shown waits for the first showing, so no text is laid
// out (and no font loaded) for a window the learner may never see; it is there before the show
// handler runs, a text the box got meanwhile wins, and later showings put nothing back.
TEST_P(TextWhenSeen, ReachesTheBoxAsItsWindowIsFirstShown)
{
    const TextWhenSeenCase &c = GetParam();
    const QString hint = QStringLiteral("【回车】检验");
    BoxForm form;
    QWidget plain;
    QLineEdit *box = c.programWindow ? form.box : new QLineEdit(&plain);
    QWidget *window = box->window();
    if (c.shownBefore) {
        window->show();
        window->hide();
    }
    PSetTextWhenSeen(box, hint);
    if (*c.typed)
        box->setText(QString::fromUtf8(c.typed));
    EXPECT_EQ(box->text(), QString::fromUtf8(c.untilShown).replace(QStringLiteral("HINT"), hint));
    window->show();
    const QString shown = QString::fromUtf8(c.shown).replace(QStringLiteral("HINT"), hint);
    EXPECT_EQ(box->text(), shown);
    if (c.programWindow) {
        EXPECT_EQ(form.seenOnShow, shown);
    }
    box->clear();
    window->hide();
    window->show();
    EXPECT_TRUE(box->text().isEmpty()) << "a later showing puts nothing back";
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(
    WindowKit, TextWhenSeen,
    ::testing::Values(TextWhenSeenCase{"NeverShownWindow", true, false, "", "", "HINT"},
                      TextWhenSeenCase{"TypedMeanwhile", true, false, "apple", "apple", "apple"},
                      TextWhenSeenCase{"ShownBefore", true, true, "", "HINT", "HINT"},
                      TextWhenSeenCase{"NoProgramWindow", false, false, "", "HINT", "HINT"}),
    [](const ::testing::TestParamInfo<TextWhenSeenCase> &info) { return std::string(info.param.name); });
}  // namespace

// A report list in a window not yet shown measures nothing for its least column width; at the
// first showing its columns come out exactly as those of a list made in a window already there,
// Qt's least width (from the header's font) or the window's own.
TEST(WindowKit, AReportListInAWindowNotYetShownGetsItsColumnWidthsAtTheFirstShowing)
{
    for (int ownLeast : {-1, 10}) {
        Keyed form;
        QWidget twinWindow;
        QFont big = form.font();
        big.setPixelSize(30);
        form.setFont(big);
        twinWindow.setFont(big);
        // The third column is narrowed by the window itself before the showing.
        const QList<TPColumn> columns{{QString(), 5}, {QString(), 150}, {QString(), 40}};
        QTreeWidget *held = PMakeReportView(&form, QStringLiteral("LVheld"), columns);
        QTreeWidget *twin = PMakeReportView(&twinWindow, QStringLiteral("LVtwin"), columns);
        if (ownLeast > 0) {
            held->header()->setMinimumSectionSize(ownLeast);
            twin->header()->setMinimumSectionSize(ownLeast);
        }
        held->setColumnWidth(2, 3);
        twin->setColumnWidth(2, 3);
        EXPECT_EQ(held->columnWidth(0), ownLeast > 0 ? ownLeast : 5) << "nothing measured before the showing";
        form.show();
        twinWindow.show();
        EXPECT_EQ(held->header()->minimumSectionSize(), twin->header()->minimumSectionSize()) << ownLeast;
        EXPECT_EQ(held->columnWidth(0), twin->columnWidth(0)) << ownLeast;
        EXPECT_EQ(held->columnWidth(1), 150);
        EXPECT_EQ(held->columnWidth(2), twin->columnWidth(2)) << ownLeast;
        EXPECT_GT(twin->columnWidth(0), 20) << "Qt's least width applies to the widths given";
    }
}
