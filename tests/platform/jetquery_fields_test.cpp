#include "support/qstringprinter.h"
#include "support/bankfixture.h"

using JetQueryFields = BankFixture;

TEST_F(JetQueryFields, PositionsReadTheSameValuesAsNames)
{
    addWord(QStringLiteral("WordTable"), QStringLiteral("go"), QStringLiteral("去"));
    JetQuery &q = dm->PQuery;
    dm->PSelectAllFromTable(QStringLiteral("WordTable"));
    q.open();
    const int word = q.fieldIndex(QStringLiteral("单词"));
    ASSERT_GE(word, 0);
    EXPECT_EQ(q.fieldIndex(QStringLiteral("id")), q.fieldIndex(QStringLiteral("ID")));
    EXPECT_EQ(q.fieldIndex(QStringLiteral("none")), -1);
    EXPECT_EQ(q.fieldAt(word), QStringLiteral("go"));
    EXPECT_EQ(q.fieldAt(q.fieldIndex(QStringLiteral("掌握类型"))), QString());  // NULL
    EXPECT_THROW(q.fieldAt(99), EngineError);
    q.next();
    EXPECT_THROW(q.fieldAt(word), EngineError);  // past the last row
    q.close();
}
