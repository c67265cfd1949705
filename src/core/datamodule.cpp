#include "core/datamodule.h"

#include "vocab/bankvocab.h"
#include "platform/inifile.h"
#include "platform/jetsql.h"
#include "platform/speech.h"
#include "rules/random.h"

#include <QDateTime>
#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QRegularExpression>

TPdatamodule *Pdatamodule = nullptr;
QString PProgramDir;
TIniFile *PConfigIni = nullptr;
QString PDefaultWordBank;
QString PVersion;
QDomDocument *PXmlDoc = nullptr;
QString PWordBankPath;
TSpVoice *PSpVoice = nullptr;
bool PTerminateRequested = false;

void PRandomize() { PSeedRandom(quint32(QDateTime::currentMSecsSinceEpoch())); }

void PRandSeed(quint32 seed) { PSeedRandom(seed); }

int PRandom(int n) { return PRandom().below(n); }

QString PConnectionText(const QString &path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=") +
           QString::fromLatin1(LxbPassword);
}

void PCheckName(const QString &name)
{
    if (!isPlainIdentifier(name))
        throw EngineError(QStringLiteral("名称“") + name + QStringLiteral("”无效：只能由字母、数字、下划线和汉字组成。"));
}

QString PTableSql(const QString &T)
{
    const QString refusal = jetTableNameRefusal(T);
    if (!refusal.isEmpty())
        throw EngineError(QStringLiteral("表名“") + T + QStringLiteral("”无效：") + refusal + QStringLiteral("。"));
    return jetTableRef(T);
}

namespace {
QString keyed(const QString &F) { return F + QStringLiteral("=:") + F; }
}  // namespace

QString PDeleteOneKeySql(const QString &T, const QString &F)
{
    const QString t = PTableSql(T);
    PCheckName(F);
    return QStringLiteral("delete from ") + t + QStringLiteral(" where ") + keyed(F);
}

QString PExactKeysSql(const QString &F1, const QString &F2)
{
    return F1 + QStringLiteral("=:") + F1 + QStringLiteral(" collate binary and ") + F2 + QStringLiteral("=:") + F2 +
           QStringLiteral(" collate binary");
}

QString PDeleteTwoKeySql(const QString &T, const QString &F1, const QString &F2)
{
    PCheckName(F2);
    return PDeleteOneKeySql(T, F1) + QStringLiteral(" and ") + keyed(F2);
}

QString PUpdateTwoKeySql(const QString &T, const QString &F1, const QString &F2, const QString &SetField)
{
    const QString t = PTableSql(T);
    PCheckName(F1);
    PCheckName(F2);
    PCheckName(SetField);
    return QStringLiteral("update ") + t + QStringLiteral(" set ") + keyed(SetField) + QStringLiteral(" where ") +
           keyed(F1) + QStringLiteral(" and ") + keyed(F2);
}

QString PMoveOneKeySql(const QString &Src, const QString &Dst, const QString &F)
{
    const QString src = PTableSql(Src), dst = PTableSql(Dst);
    PCheckName(F);
    return QStringLiteral("insert into ") + dst + QStringLiteral(" select * from ") + src + QStringLiteral(" where ") +
           keyed(F);
}

QString PMoveTwoKeySql(const QString &Src, const QString &Dst, const QString &F1, const QString &F2)
{
    PCheckName(F2);
    return PMoveOneKeySql(Src, Dst, F1) + QStringLiteral(" and ") + keyed(F2);
}

TPdatamodule::TPdatamodule(const QString &programDir, const QStringList &args, QObject *parent)
    : QObject(parent)
{
    Pdatamodule = this;
    OpenDialog1.Title = QStringLiteral("打开词库文件");
    OpenDialog1.Filter = QStringLiteral("Lexorin词库文件(*.lxb)|*.lxb");
    DataModuleCreate(programDir, args);
}

TPdatamodule::~TPdatamodule()
{
    PQuery.close();
    PConnection.close();
    if (Pdatamodule == this)
        Pdatamodule = nullptr;
    delete PXmlDoc;
    PXmlDoc = nullptr;
    delete PSpVoice;
    PSpVoice = nullptr;
    delete PConfigIni;
    PConfigIni = nullptr;
}

void TPdatamodule::DataModuleCreate(const QString &programDir, const QStringList &args)
{
    PProgramDir = QDir(programDir).absolutePath();
    if (!PProgramDir.endsWith(QLatin1Char('/')))
        PProgramDir += QLatin1Char('/');
    delete PConfigIni;
    PConfigIni = new TIniFile(PProgramDir + QStringLiteral("config.ini"));
    PDefaultWordBank = PConfigIni->ReadString(Ini::Main, Ini::DefaultBank, QString());
    PVersion = QStringLiteral("V03_090919");
    delete PXmlDoc;
    PXmlDoc = new QDomDocument;
    PTerminateRequested = false;

    PWordBankPath.clear();
    if (!args.isEmpty())
        PWordBankPath = args.first();
    else if (!PDefaultWordBank.isEmpty() && QFileInfo(PDefaultWordBank).isFile())
        PWordBankPath = PDefaultWordBank;
    else if (QFileInfo(PProgramDir + QStringLiteral("EnglishWord.lxb")).isFile())
        PWordBankPath = PProgramDir + QStringLiteral("EnglishWord.lxb");
    else if (OpenDialog1.Execute())
        PWordBankPath = OpenDialog1.FileName;

    if (PWordBankPath.isEmpty() || !QFileInfo(PWordBankPath).isFile()) {
        PDialogs().message(QStringLiteral("词库载入出错，程序自动终止"));
        PTerminateRequested = true;
    } else {
        try {
            PResetConnection();
        } catch (const EngineError &e) {
            // Without a bank no window can work: report the engine's text, then end as above.
            PDialogs().message(e.message(), QString(), Dialogs::Critical);
            PDialogs().message(QStringLiteral("词库载入出错，程序自动终止"));
            PTerminateRequested = true;
        }
    }
    delete PSpVoice;
    PSpVoice = new TSpVoice;
    PRandomize();
}

void TPdatamodule::PResetConnection()
{
    PQuery.close();
    PConnection.close();
    PConnection.setConnectionString(PConnectionText(PWordBankPath));
    PConnection.open();
    PQuery.setConnection(&PConnection);
    if (PConnection.isReadOnly())
        PDialogs().message(QStringLiteral("词库“") + PWordBankPath +
                               QStringLiteral("”位于只读位置，已以只读方式打开：可以查看，但不能保存任何更改。"),
                           QString(), Dialogs::Warning);
}

void TPdatamodule::sql(const QString &text) { PQuery.setSql(text); }

// ---------------------------------------------------------------- schema

void TPdatamodule::P_Create_WordTable()
{
    sql(QStringLiteral("create table WordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),音标 "
                       "string(50),解释 string(250),联想 string(100),详解 memo,例句 memo,做过次数 integer,做错次数 "
                       "integer,经验点数 integer,所属类别 string(250),上次是否做对 string(50),最近测试时间 "
                       "string(50),掌握类型 string(50))"));
    PQuery.execSql();
}

void TPdatamodule::P_Create_UserTable()
{
    sql(QStringLiteral("create table UserTable (ID counter PRIMARY KEY UNIQUE not null,用户名 string(50),经验值 "
                       "integer,测试次数 integer,掌握单词数 integer,当前单词表 string(50),词库版本 string(50),KSP "
                       "string(200),KSE string(200),标识 string(50))"));
    PQuery.execSql();
}

void TPdatamodule::P_Create_LogTable()
{
    sql(QStringLiteral("create table LogTable (ID counter PRIMARY KEY UNIQUE not null,日期 string(50),学习时间 "
                       "integer,浏览用时 integer,经验 integer,掌握单词数 integer)"));
    PQuery.execSql();
}

void TPdatamodule::P_Create_TableNameTable()
{
    sql(QStringLiteral("create table TableNameTable (ID counter PRIMARY KEY UNIQUE not null,表名 string(100))"));
    PQuery.execSql();
}

void TPdatamodule::P_Create_UsedWordTable()
{
    sql(QStringLiteral("create table UsedWordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100))"));
    PQuery.execSql();
}

void TPdatamodule::P_Create_OptionTable()
{
    sql(QStringLiteral("create table OptionTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),解释 "
                       "string(250),POpt1 string(250),POpt2 string(250),POpt3 string(250),POpt4 string(250),POpt5 "
                       "string(250),POpt6 string(250),上次是否做对 string(50),最近测试时间 string(50),掌握类型 "
                       "string(50))"));
    PQuery.execSql();
}

void TPdatamodule::P_Create_TempTable()
{
    PCreateNewWordTable(Tbl::WordTable, Tbl::TempTable, QString());
}

// ---------------------------------------------------------------- generic operations

// Each keyed operation makes its text once per set of names (see JetSiteText): the text, the
// check of the names and the statement the connection prepared for it are all reused.

void TPdatamodule::PSelectAllFromTable(const QString &T)
{
    static JetSiteText<1> site;
    sql(site.text({&T}, [&] {
        return QStringLiteral("select * from ") + PTableSql(T);
    }));
}

void TPdatamodule::PSelectAllFromTableOrder(const QString &T, const QString &F, const QString &Suffix)
{
    const QString t = PTableSql(T);
    PCheckName(F);
    if (!Suffix.isEmpty() && Suffix.trimmed().compare(QLatin1String("desc"), Qt::CaseInsensitive) != 0)
        throw EngineError(QStringLiteral("无效的排序方式：") + Suffix);
    sql(QStringLiteral("select * from ") + t + QStringLiteral(" order by ") + F + Suffix);
}

void TPdatamodule::PSelectFieldsFromTableOrder(const QString &T, const QStringList &Fields, const QString &F,
                                               const QString &Suffix)
{
    const QString t = PTableSql(T);
    if (Fields.isEmpty())
        throw EngineError(QStringLiteral("没有要读的字段。"));
    for (const QString &f : Fields)
        PCheckName(f);
    if (!F.isEmpty())
        PCheckName(F);
    if (!Suffix.isEmpty() && Suffix.trimmed().compare(QLatin1String("desc"), Qt::CaseInsensitive) != 0)
        throw EngineError(QStringLiteral("无效的排序方式：") + Suffix);
    // Without an order the rows come as the table holds them, as "select *" gives them: a few
    // fields could otherwise be read from an index that holds them, in the index's order.
    const QString text = QStringLiteral("select ") + Fields.join(QLatin1Char(',')) + QStringLiteral(" from ") + t +
                         QStringLiteral(" order by ") + (F.isEmpty() ? QStringLiteral("rowid") : F + Suffix);
    sql(text);
}

void TPdatamodule::PSelectFromTableWhere(const QString &T, const QString &F, const QString &V)
{
    static JetSiteText<2> site;
    sql(site.text({&T, &F}, [&] {
        const QString t = PTableSql(T);
        PCheckName(F);
        return QStringLiteral("select * from ") + t + QStringLiteral(" where ") + keyed(F);
    }));
    PQuery.setParam(F, V);
}

void TPdatamodule::PSelectFromTableLike(const QString &T, const QString &F, const QString &Pattern)
{
    const QString t = PTableSql(T);
    PCheckName(F);
    static const QRegularExpression quoted(QStringLiteral("^(\"[^\"]*\"|'[^']*')$"));
    if (!quoted.match(Pattern).hasMatch())
        throw EngineError(QStringLiteral("无效的匹配模式：") + Pattern);
    // The learner's letters reach the bank as a value, never as part of the statement.
    sql(QStringLiteral("select * from ") + t + QStringLiteral(" where ") + F + QStringLiteral(" like :") + F);
    PQuery.setParam(F, Pattern.mid(1, Pattern.size() - 2));
}

QString TPdatamodule::PGetOneDataFromTable(const QString &ResultField, const QString &T, const QString &KeyField,
                                           const QString &KeyValue)
{
    PSelectFromTableWhere(T, KeyField, KeyValue);
    PQuery.open();
    QString result;
    if (!PQuery.eof())
        result = PQuery.fieldByName(ResultField);
    PQuery.close();
    return result;
}

int TPdatamodule::PGetCountFromTable(const QString &T)
{
    static JetSiteText<1> site;
    const QString &text = site.text({&T}, [&] {
        return QStringLiteral("select count(*) from ") + PTableSql(T);
    });
    // Counted by the engine: status lines count lists of tens of thousands of words after each click.
    PQuery.clearSql();
    return PConnection.number(text);
}

int TPdatamodule::PGetCountFromTableWhere(const QString &T, const QString &F, const QString &V)
{
    static JetSiteText<2> site;
    const QString &text = site.text({&T, &F}, [&] {
        const QString t = PTableSql(T);
        PCheckName(F);
        return QStringLiteral("select count(*) from ") + t + QStringLiteral(" where ") + keyed(F);
    });
    // Asked once per list when a word is looked up across all of them.
    PQuery.clearSql();
    return PConnection.number(text, {V});
}

int TPdatamodule::PGetSumFromTable(const QString &T, const QString &F)
{
    const QString t = PTableSql(T);
    PCheckName(F);
    sql(QStringLiteral("select sum(") + F + QStringLiteral(") as ") + F + QStringLiteral(" from ") + t);
    PQuery.open();
    const QString text = PQuery.eof() ? QString() : PQuery.fieldByName(F);
    PQuery.close();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok)
        throw EngineError(QStringLiteral("“") + text + QStringLiteral("”不是有效的整数值。"));
    return n;
}

QString TPdatamodule::PGetMMFromTable(const QString &T, const QString &F, const QString &Fn)
{
    const QString t = PTableSql(T);
    PCheckName(F);
    if (Fn.compare(QLatin1String("max"), Qt::CaseInsensitive) != 0 &&
        Fn.compare(QLatin1String("min"), Qt::CaseInsensitive) != 0)
        throw EngineError(QStringLiteral("无效的聚合函数：") + Fn);
    sql(QStringLiteral("select ") + Fn + QStringLiteral("(") + F + QStringLiteral(") as ") + F +
        QStringLiteral(" from ") + t);
    PQuery.open();
    const QString result = PQuery.eof() ? QString() : PQuery.fieldByName(F);
    PQuery.close();
    return result;
}

void TPdatamodule::PDeleteAllFromTable(const QString &T)
{
    static JetSiteText<1> site;
    sql(site.text({&T}, [&] {
        return QStringLiteral("delete from ") + PTableSql(T);
    }));
    PQuery.execSql();
}

void TPdatamodule::PDeleteOneRecordFromTable(const QString &T, const QString &F, const QString &V)
{
    static JetSiteText<2> site;
    sql(site.text({&T, &F}, [&] { return PDeleteOneKeySql(T, F); }));
    PQuery.setParam(F, V);
    PQuery.execSql();
}

void TPdatamodule::PDeleteTwoKeyRecordFromTable(const QString &T, const QString &F1, const QString &V1,
                                                const QString &F2, const QString &V2)
{
    static JetSiteText<3> site;
    sql(site.text({&T, &F1, &F2}, [&] { return PDeleteTwoKeySql(T, F1, F2); }));
    PQuery.setParam(F1, V1);
    PQuery.setParam(F2, V2);
    PQuery.execSql();
}

void TPdatamodule::PDeleteTwoKeyRepeatsFromTable(const QString &T, const QString &F1, const QString &V1,
                                                 const QString &F2, const QString &V2)
{
    // Exact texts: "Go" is no repeat of "go", though the bank's own comparison says it is.
    const QString t = PTableSql(T);
    PCheckName(F1);
    PCheckName(F2);
    const QString keys = PExactKeysSql(F1, F2);
    sql(QStringLiteral("delete from ") + t + QStringLiteral(" where ") + keys +
        QStringLiteral(" and rowid<>(select min(rowid) from ") + t + QStringLiteral(" where ") + keys +
        QStringLiteral(")"));
    PQuery.setParam(F1, V1);
    PQuery.setParam(F2, V2);
    PQuery.execSql();
}

void TPdatamodule::PUpdateOneFieldFromTable(const QString &T, const QString &F, const QString &V)
{
    static JetSiteText<2> site;
    sql(site.text({&T, &F}, [&] {
        const QString t = PTableSql(T);
        PCheckName(F);
        return QStringLiteral("update ") + t + QStringLiteral(" set ") + keyed(F);
    }));
    PQuery.setParam(F, V);
    PQuery.execSql();
}

void TPdatamodule::PUpdateOneDataFromTable(const QString &T, const QString &KeyField, const QString &SetField,
                                           const QString &KeyValue, const QString &NewValue)
{
    static JetSiteText<3> site;
    sql(site.text({&T, &KeyField, &SetField}, [&] {
        const QString t = PTableSql(T);
        PCheckName(KeyField);
        PCheckName(SetField);
        return QStringLiteral("update ") + t + QStringLiteral(" set ") + keyed(SetField) + QStringLiteral(" where ") +
               keyed(KeyField);
    }));
    PQuery.setParam(SetField, NewValue);
    PQuery.setParam(KeyField, KeyValue);
    PQuery.execSql();
}

void TPdatamodule::PUpdateTwoKeyDataFromTable(const QString &T, const QString &F1, const QString &V1,
                                              const QString &F2, const QString &V2, const QString &SetField,
                                              const QString &NewValue)
{
    static JetSiteText<4> site;
    sql(site.text({&T, &F1, &F2, &SetField}, [&] { return PUpdateTwoKeySql(T, F1, F2, SetField); }));
    // Values in the order their names appear, so a field that is also a key gets both.
    PQuery.setParam(SetField, NewValue);
    PQuery.setParam(F1, V1);
    PQuery.setParam(F2, V2);
    PQuery.execSql();
}

void TPdatamodule::PInsertOneRecordToTable(const QString &T, const QString &F, const QString &V)
{
    static JetSiteText<2> site;
    sql(site.text({&T, &F}, [&] {
        const QString t = PTableSql(T);
        PCheckName(F);
        return QStringLiteral("insert into ") + t + QStringLiteral("(") + F + QStringLiteral(") ") +
               QStringLiteral("values(:") + F + QStringLiteral(")");
    }));
    PQuery.setParam(F, V);
    PQuery.execSql();
}

void TPdatamodule::PMoveOneRecordToTable(const QString &Src, const QString &Dst, const QString &F,
                                         const QString &V)
{
    static JetSiteText<3> site;
    sql(site.text({&Src, &Dst, &F}, [&] { return PMoveOneKeySql(Src, Dst, F); }));
    PQuery.setParam(F, V);
    PQuery.execSql();
}

void TPdatamodule::PMoveTwoKeyRecordToTable(const QString &Src, const QString &Dst, const QString &F1,
                                            const QString &V1, const QString &F2, const QString &V2)
{
    static JetSiteText<4> site;
    sql(site.text({&Src, &Dst, &F1, &F2}, [&] { return PMoveTwoKeySql(Src, Dst, F1, F2); }));
    PQuery.setParam(F1, V1);
    PQuery.setParam(F2, V2);
    PQuery.execSql();
}

void TPdatamodule::PMoveAll(const QString &Src, const QString &Dst)
{
    sql(QStringLiteral("insert into ") + PTableSql(Dst) + QStringLiteral(" select * from ") + PTableSql(Src));
    PQuery.execSql();
}

void TPdatamodule::PCreateAndMoveAll(const QString &Src, const QString &Dst)
{
    sql(QStringLiteral("select * into ") + PTableSql(Dst) + QStringLiteral(" from ") + PTableSql(Src));
    PQuery.execSql();
}

void TPdatamodule::PCreateNewWordTable(const QString &Src, const QString &New, const QString &Mode)
{
    const QString src = PTableSql(Src), made = PTableSql(New);
    JetTransaction t(PConnection);
    sql(QStringLiteral("select * into ") + made + QStringLiteral(" from ") + src + QStringLiteral(" where 1=2"));
    PQuery.execSql();
    if (Mode == QLatin1String("addname"))
        PInsertOneRecordToTable(Tbl::TableNameTable, Col::TableName, New);
    t.commit();
}

void TPdatamodule::PDropTable(const QString &T, const QString &Mode)
{
    const QString table = PTableSql(T);
    JetTransaction t(PConnection);
    if (Mode == QLatin1String("havename")) {
        const QString id =
            PGetOneDataFromTable(Col::ID, Tbl::TableNameTable, Col::TableName, T);
        if (!id.isEmpty())
            PDeleteTwoKeyRecordFromTable(Tbl::TableNameTable, Col::TableName, T, Col::ID, id);
    }
    sql(QStringLiteral("drop table ") + table);
    PQuery.execSql();
    t.commit();
}

void TPdatamodule::PChangeTableName(const QString &Old, const QString &New)
{
    // Both names are checked before anything is written.
    PTableSql(Old);
    PTableSql(New);
    // All or nothing: a failed copy must not leave the list unregistered.
    JetTransaction t(PConnection);
    const QString id =
        PGetOneDataFromTable(Col::ID, Tbl::TableNameTable, Col::TableName, Old);
    if (!id.isEmpty())
        PDeleteTwoKeyRecordFromTable(Tbl::TableNameTable, Col::TableName, Old, Col::ID, id);
    PCreateAndMoveAll(Old, New);
    PDropTable(Old, QStringLiteral("havename"));
    PInsertOneRecordToTable(Tbl::TableNameTable, Col::TableName, New);
    t.commit();
}
