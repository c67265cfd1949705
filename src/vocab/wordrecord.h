#pragma once
// One word row of a list, every field by name, as the bank holds it (text). Sessions work on these
// instead of list-view items, and the write-back gateway names the fields a tool changed.

#include "vocab/bankvocab.h"

#include <QList>
#include <QString>

struct TPWordRecord {
    QString id;
    QString word;
    QString phonetic;
    QString explanation;
    QString association;
    QString details;
    QString example;
    QString timesDone;
    QString timesWrong;
    QString experience;
    QString category;
    QString lastRight;
    QString lastTested;
    QString masterType;

    // The field stored in column Name (a Col:: name of the word record); null for any other name.
    QString field(const QString &Name) const
    {
        const QString *f = slot(Name);
        return f ? *f : QString();
    }
    // Sets the field stored in column Name; false when the word record has no such column.
    bool setField(const QString &Name, const QString &Value)
    {
        QString *f = const_cast<QString *>(slot(Name));
        if (!f)
            return false;
        *f = Value;
        return true;
    }

private:
    const QString *slot(const QString &Name) const
    {
        const QString *const fields[] = {&id,         &word,       &phonetic,   &explanation, &association,
                                         &details,    &example,    &timesDone,  &timesWrong,  &experience,
                                         &category,   &lastRight,  &lastTested, &masterType};
        const QString *const names[] = {&Col::ID,         &Col::Word,       &Col::Phonetic,   &Col::Explanation,
                                        &Col::Association, &Col::Details,    &Col::Example,    &Col::TimesDone,
                                        &Col::TimesWrong,  &Col::Experience, &Col::Category,   &Col::LastRight,
                                        &Col::LastTested,  &Col::MasterType};
        for (int i = 0; i < 14; ++i)
            if (*names[i] == Name)
                return fields[i];
        return nullptr;
    }
};

// Its fields are all relocatable: a growing list of records moves them as bytes.
Q_DECLARE_TYPEINFO(TPWordRecord, Q_RELOCATABLE_TYPE);

using TPWordRecords = QList<TPWordRecord>;
