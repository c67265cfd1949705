#pragma once
// What the test tools write when a test ends: each answered word's statistics, and the lesson's
// experience added to the learner's total.

#include <QList>
#include <QString>
#include <QStringList>

struct TPAnsweredWord {
    QString word;        // the key: every row of the list with this spelling changes
    QStringList values;  // one per field written to the word list
    QString lastRight;   // 上次是否做对, also written to TempTable
};

// Writes the answered words in answer order (a word answered twice ends with its later values):
// Fields of List and 上次是否做对 of TempTable. All words or none: on a failure nothing is written,
// "词库更新失败" is shown and false returned.
bool PWriteAnsweredWords(const QString &List, const QStringList &Fields, const QList<TPAnsweredWord> &Words);

// Adds Lesson to 经验值 of the learner (the first row's value, written to every row) and returns
// the new total. A failing bank is not reported; the total is still returned.
qint64 PAddLessonExperience(qint64 Lesson);
