#include "support/bankfixture.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include "core/wordrecords.h"

namespace {

void buildBank(const QString &path)
{
    JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
    JetConnection c;
    c.setConnectionString(PConnectionText(path));
    const char *const schema[] = {
        "create table WordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),音标 string(50),解释 "
        "string(250),联想 string(100),详解 memo,例句 memo,做过次数 integer,做错次数 integer,经验点数 "
        "integer,所属类别 string(250),上次是否做对 string(50),最近测试时间 string(50),掌握类型 string(50))",
        "create table UserTable (ID counter PRIMARY KEY UNIQUE not null,用户名 string(50),经验值 integer,测试次数 "
        "integer,掌握单词数 integer,当前单词表 string(50),词库版本 string(50),KSP string(200),KSE "
        "string(200),标识 string(50))",
        "create table LogTable (ID counter PRIMARY KEY UNIQUE not null,日期 string(50),学习时间 integer,浏览用时 "
        "integer,经验 integer,掌握单词数 integer)",
        "create table TableNameTable (ID counter PRIMARY KEY UNIQUE not null,表名 string(100))",
        "create table UsedWordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100))",
        "create table OptionTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),解释 string(250),POpt1 "
        "string(250),POpt2 string(250),POpt3 string(250),POpt4 string(250),POpt5 string(250),POpt6 "
        "string(250),上次是否做对 string(50),最近测试时间 string(50),掌握类型 string(50))",
        "select * into TempTable from WordTable where 1=2",
    };
    for (const char *s : schema)
        c.execute(QString::fromUtf8(s));
    c.close();
}

}  // namespace

void BankFixture::makeBank(const QString &path)
{
    // Built once a run and copied: the schema's statements were most of a fixture's cost.
    static QTemporaryDir once;
    static const QString built = [] {
        const QString p = once.filePath(QStringLiteral("EnglishWord.lxb"));
        buildBank(p);
        return p;
    }();
    if (QFileInfo::exists(path) || !QFile::copy(built, path))
        buildBank(path);
}

void BankFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    programDir = dir.path() + QLatin1Char('/');
    bankPath = programDir + QStringLiteral("EnglishWord.lxb");
    makeBank(bankPath);
    dialogs = std::make_unique<ScriptedDialogs>();
    dm = std::make_unique<TPdatamodule>(programDir, QStringList());
    ASSERT_FALSE(PTerminateRequested) << dialogs->texts().join(QLatin1Char('|')).toStdString();
}

void BankFixture::TearDown()
{
    dm.reset();
    dialogs.reset();
}

void BankFixture::addWord(const QString &T, const QString &word, const QString &explanation,
                          const QString &category)
{
    PInsertWordRecord(T, QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                      QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("所属类别"), word, QString(),
                      explanation, QString(), QString(), QString(), category);
    PUpdateWordRecord3(T, QStringLiteral("单词"), QStringLiteral("做过次数"), QStringLiteral("做错次数"),
                       QStringLiteral("经验点数"), word, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"));
}

QStringList BankFixture::column(const QString &T, const QString &field)
{
    QStringList out;
    dm->PSelectAllFromTable(T);
    dm->PQuery.open();
    while (!dm->PQuery.eof()) {
        out << dm->PQuery.fieldByName(field);
        dm->PQuery.next();
    }
    dm->PQuery.close();
    return out;
}

void BankFixture::raw(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(dm->PConnection.handle(), sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in: " << sql.toStdString();
    sqlite3_free(error);
}

void BankFixture::refuse(const QString &op, const QString &T, const QString &condition, const QString &message)
{
    static int made = 0;
    raw(QStringLiteral("create trigger refuse_%1 before %2 on \"%3\" when %4 begin select raise(abort, '%5'); end")
            .arg(++made)
            .arg(op, T, condition, message));
}
