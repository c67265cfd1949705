#pragma once
// Record operations: several fields of the words keyed by one value, written all or none.

#include <QString>

void PInsertWordRecord(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                       const QString &F3, const QString &F4, const QString &F5, const QString &F6,
                       const QString &KeyValue, const QString &V1, const QString &V2, const QString &V3,
                       const QString &V4, const QString &V5, const QString &V6);
void PUpdateWordRecord(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                       const QString &F3, const QString &F4, const QString &F5, const QString &F6,
                       const QString &KeyValue, const QString &V1, const QString &V2, const QString &V3,
                       const QString &V4, const QString &V5, const QString &V6);
void PUpdateWordRecord3(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                        const QString &F3, const QString &KeyValue, const QString &V1, const QString &V2,
                        const QString &V3);
void PUpdateTableFields(const QString &T, const QString &F1, const QString &F2, const QString &F3,
                        const QString &F4, const QString &F5, const QString &F6, const QString &V1,
                        const QString &V2, const QString &V3, const QString &V4, const QString &V5,
                        const QString &V6);
