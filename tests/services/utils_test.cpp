#include "support/qstringprinter.h"
#include "services/utils.h"

#include "support/drivendate.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPixmap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>


#include <gtest/gtest.h>

TEST(InputChecks, EmptyTextPassesBothChecks)
{
    EXPECT_TRUE(PIsPrintableAscii(QString()));
    EXPECT_TRUE(PIsLettersOnly(QString()));
}

TEST(InputChecks, PrintableAsciiIsSpaceToTilde)
{
    EXPECT_TRUE(PIsPrintableAscii(QStringLiteral(" don't ~stop!")));
    EXPECT_FALSE(PIsPrintableAscii(QStringLiteral("tab\there")));
    EXPECT_FALSE(PIsPrintableAscii(QString(QChar(127))));
    EXPECT_FALSE(PIsPrintableAscii(QStringLiteral("苹果")));
    EXPECT_FALSE(PIsPrintableAscii(QStringLiteral("café")));
}

TEST(InputChecks, LettersOnlyRefusesEverythingButAsciiLetters)
{
    EXPECT_TRUE(PIsLettersOnly(QStringLiteral("AppleZz")));
    EXPECT_FALSE(PIsLettersOnly(QStringLiteral("apple pie")));
    EXPECT_FALSE(PIsLettersOnly(QStringLiteral("co-op")));
    EXPECT_FALSE(PIsLettersOnly(QStringLiteral("a1")));
    EXPECT_FALSE(PIsLettersOnly(QStringLiteral("é")));
    EXPECT_FALSE(PIsLettersOnly(QStringLiteral("中")));
}

TEST(InputChecks, WordAndMeaningAreRefusedWhenEmptyOrEqual)
{
    ScriptedDialogs dialogs;
    EXPECT_TRUE(PCheckWordAndMeaning(QString(), QString()));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("单词和解释都不能为空")});

    dialogs.clear();
    EXPECT_TRUE(PCheckWordAndMeaning(QStringLiteral("apple"), QString()));
    EXPECT_TRUE(PCheckWordAndMeaning(QString(), QStringLiteral("苹果")));
    EXPECT_EQ(dialogs.texts(), QStringList(2, QStringLiteral("单词和解释都不能为空")));

    dialogs.clear();
    EXPECT_TRUE(PCheckWordAndMeaning(QStringLiteral("ok"), QStringLiteral("ok")));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("单词和解释不能完全相同")});

    dialogs.clear();
    EXPECT_FALSE(PCheckWordAndMeaning(QStringLiteral("OK"), QStringLiteral("ok")));
    EXPECT_FALSE(PCheckWordAndMeaning(QStringLiteral("apple"), QStringLiteral("苹果")));
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST(Durations, HoursMinutesSecondsWithoutLeadingZeros)
{
    EXPECT_EQ(PSecondsToText(3725), QStringLiteral("1时2分5秒"));
    EXPECT_EQ(PSecondsToText(59), QStringLiteral("0时0分59秒"));
    EXPECT_EQ(PSecondsToText(0), QStringLiteral("0时0分0秒"));
    EXPECT_EQ(PSecondsToText(86400 + 600), QStringLiteral("24时10分0秒"));
}

TEST(Dates, ShortDateIsUnpaddedAndDateTextPadsMonthAndDay)
{
    EXPECT_EQ(PShortDateText(QDate(2009, 1, 5)), QStringLiteral("2009-1-5"));
    EXPECT_EQ(PDateText(QDate(2009, 1, 5)), QStringLiteral("2009-01-05"));
    EXPECT_EQ(PDateText(QDate(2009, 12, 5)), QStringLiteral("2009-12-05"));
    EXPECT_EQ(PDateText(QDate(2009, 1, 15)), QStringLiteral("2009-01-15"));
    EXPECT_EQ(PDateText(QDate(2009, 12, 15)), QStringLiteral("2009-12-15"));
}

TEST(Dates, TodayDoesNotFollowTheLocaleAndComesFromTheDateSeam)
{
    const QLocale saved;
    DrivenDate date(QDateTime(QDate(2026, 3, 4), QTime(23, 59, 59)));
    for (const QLocale &l : {QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::German, QLocale::Germany),
                             QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(l);
        EXPECT_EQ(PTodayText(), QStringLiteral("2026-03-04"));
        EXPECT_EQ(PShortDateText(), QStringLiteral("2026-3-4"));
    }
    QLocale::setDefault(saved);
    date.advanceSecs(1);
    EXPECT_EQ(PTodayText(), QStringLiteral("2026-03-05"));
    EXPECT_EQ(PShortDateText(), QStringLiteral("2026-3-5"));
    date.advanceDays(-40);
    EXPECT_EQ(PTodayText(), QStringLiteral("2026-01-24"));
}

// The system's day, the seam's day, then the system's again: neither is kept for the other.
TEST(Dates, TodayFollowsTheSystemClockOnceTheSeamIsLetGo)
{
    const auto systemDayMatches = [] {
        const QDate before = QDate::currentDate();
        const QDate today = PToday();
        const QString text = PTodayText();
        const QDate after = QDate::currentDate();
        return (today == before || today == after) && text == PDateText(today);
    };
    EXPECT_TRUE(systemDayMatches());
    {
        DrivenDate date(QDateTime(QDate(2001, 2, 3), QTime(12, 0)));
        EXPECT_EQ(PToday(), QDate(2001, 2, 3));
        EXPECT_EQ(PTodayText(), QStringLiteral("2001-02-03"));
    }
    EXPECT_TRUE(systemDayMatches());
}

TEST(FormBackground, TilesBackBmpOfTheCurrentDirectoryOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QPixmap shared;
    PBackBitmap = &shared;

    QWidget plain;
    PLoadFormBackground(&plain);
    EXPECT_FALSE(plain.autoFillBackground());
    EXPECT_TRUE(shared.isNull());

    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QStringLiteral("back.bmp"), "BMP"));
    QWidget form;
    PLoadFormBackground(&form);
    EXPECT_TRUE(form.autoFillBackground());
    const QBrush brush = form.palette().brush(form.backgroundRole());
    EXPECT_EQ(brush.texture().size(), QSize(8, 6));
    EXPECT_EQ(shared.size(), QSize(8, 6));

    PBackBitmap = nullptr;
    QDir::setCurrent(saved);
}
