#pragma once
// Files and connections around a word bank that tests need besides the data module's own.

#include "platform/jetdb.h"

#include <QString>
#include <memory>

// Writes a file at path that is no word bank (text longer than a database header); returns path.
QString writeJunkFile(const QString &path);
// Another program's connection to the bank at path, open.
std::unique_ptr<JetConnection> openSecondConnection(const QString &path);
