#pragma once
// The data module: the one connection to the open word bank, the one query object every
// statement runs through, and the process-wide state set at start-up.

#include "platform/dialogs.h"
#include "platform/jetdb.h"

#include <QObject>
#include <QStringList>

class TIniFile;
class QDomDocument;
class TSpVoice;

class TPdatamodule : public QObject {
    Q_OBJECT
public:
    // Runs the start-up sequence for a program in programDir started with args (without argv[0]).
    TPdatamodule(const QString &programDir, const QStringList &args, QObject *parent = nullptr);
    ~TPdatamodule() override;

    JetConnection PConnection;
    JetQuery PQuery{&PConnection};
    TOpenDialog OpenDialog1;
    TColorDialog ColorDialog1;

    void DataModuleCreate(const QString &programDir, const QStringList &args);
    void PResetConnection();

    // Schema.
    void P_Create_WordTable();
    void P_Create_UserTable();
    void P_Create_LogTable();
    void P_Create_TableNameTable();
    void P_Create_UsedWordTable();
    void P_Create_OptionTable();
    void P_Create_TempTable();

    // Generic table operations: names are spliced (tables through PTableSql, fields plain), values bound.
    void PSelectAllFromTable(const QString &T);
    void PSelectAllFromTableOrder(const QString &T, const QString &F, const QString &Suffix);
    // Only the given fields (in their order); F empty for the order the table holds its rows in.
    void PSelectFieldsFromTableOrder(const QString &T, const QStringList &Fields, const QString &F,
                                     const QString &Suffix);
    void PSelectFromTableWhere(const QString &T, const QString &F, const QString &V);
    void PSelectFromTableLike(const QString &T, const QString &F, const QString &Pattern);
    QString PGetOneDataFromTable(const QString &ResultField, const QString &T, const QString &KeyField,
                                 const QString &KeyValue);
    int PGetCountFromTable(const QString &T);
    int PGetCountFromTableWhere(const QString &T, const QString &F, const QString &V);
    int PGetSumFromTable(const QString &T, const QString &F);
    QString PGetMMFromTable(const QString &T, const QString &F, const QString &Fn);
    void PDeleteAllFromTable(const QString &T);
    void PDeleteOneRecordFromTable(const QString &T, const QString &F, const QString &V);
    void PDeleteTwoKeyRecordFromTable(const QString &T, const QString &F1, const QString &V1, const QString &F2,
                                      const QString &V2);
    // Of the rows matching two keys, deletes all but the first stored (twins a copy made).
    void PDeleteTwoKeyRepeatsFromTable(const QString &T, const QString &F1, const QString &V1, const QString &F2,
                                       const QString &V2);
    void PUpdateOneFieldFromTable(const QString &T, const QString &F, const QString &V);
    void PUpdateOneDataFromTable(const QString &T, const QString &KeyField, const QString &SetField,
                                 const QString &KeyValue, const QString &NewValue);
    // Sets one field of the rows matching two keys (a word list row: ID and 单词).
    void PUpdateTwoKeyDataFromTable(const QString &T, const QString &F1, const QString &V1, const QString &F2,
                                    const QString &V2, const QString &SetField, const QString &NewValue);
    void PInsertOneRecordToTable(const QString &T, const QString &F, const QString &V);
    void PMoveOneRecordToTable(const QString &Src, const QString &Dst, const QString &F, const QString &V);
    void PMoveTwoKeyRecordToTable(const QString &Src, const QString &Dst, const QString &F1, const QString &V1,
                                  const QString &F2, const QString &V2);
    void PMoveAll(const QString &Src, const QString &Dst);
    void PCreateAndMoveAll(const QString &Src, const QString &Dst);
    void PCreateNewWordTable(const QString &Src, const QString &New, const QString &Mode);
    void PDropTable(const QString &T, const QString &Mode);
    void PChangeTableName(const QString &Old, const QString &New);

private:
    void sql(const QString &text);
};

extern TPdatamodule *Pdatamodule;
extern QString PProgramDir;          // folder of the executable, ending with "/"
extern TIniFile *PConfigIni;         // config.ini in the program folder
extern QString PDefaultWordBank;
extern QString PVersion;
extern QDomDocument *PXmlDoc;
extern QString PWordBankPath;
extern TSpVoice *PSpVoice;          // the one speech voice, owned by the data module
// Set when start-up found no word bank: the program ends once its windows are made.
extern bool PTerminateRequested;

// The connection text of a bank at path.
QString PConnectionText(const QString &path);
// Refuses a field name that is not a plain identifier (an engine error).
void PCheckName(const QString &name);
// A table's name as the statements splice it (plain as it is, any other in brackets); a name the
// bank cannot take is an engine error that says why.
QString PTableSql(const QString &T);

// The texts of the keyed statements of the table operations (names checked), for callers that run
// one of them for many rows through a JetCommand; parameters in the order given.
QString PDeleteOneKeySql(const QString &T, const QString &F);                         // F
// F1 and F2 matched with their exact texts, not the bank's case-blind comparison.
QString PExactKeysSql(const QString &F1, const QString &F2);
QString PDeleteTwoKeySql(const QString &T, const QString &F1, const QString &F2);     // F1, F2
QString PUpdateTwoKeySql(const QString &T, const QString &F1, const QString &F2,
                         const QString &SetField);                                    // SetField, F1, F2
QString PMoveOneKeySql(const QString &Src, const QString &Dst, const QString &F);     // F
QString PMoveTwoKeySql(const QString &Src, const QString &Dst, const QString &F1,
                       const QString &F2);                                            // F1, F2

// The process-wide random generator: seeded from the clock at start-up (and again where the
// program says so); PRandom(n) draws 0 to n-1. Tests seed it to make draws repeatable.
void PRandomize();
void PRandSeed(quint32 seed);
int PRandom(int n);
