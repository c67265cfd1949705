#pragma once
// The settings file: string, integer and Boolean values by section and key. Every write reaches
// the file at once; the file is UTF-8 and keeps Chinese section and key names readable.

#include <QString>
#include <QStringList>
#include <memory>

class TIniFile {
public:
    explicit TIniFile(const QString &fileName);
    ~TIniFile();
    TIniFile(const TIniFile &) = delete;
    TIniFile &operator=(const TIniFile &) = delete;

    QString fileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // Any integer other than 0 reads as true; a value that is no integer reads as the default.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList ReadSection(const QString &section) const;

    // Each returns false (and leaves the file as it was) when the file cannot be written, or when
    // the section or key name holds a line break, "=", "[" or "]". Every value reads back as
    // written: one with a line break or blanks at either end is stored quoted and escaped.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);
    bool WriteBool(const QString &section, const QString &key, bool value);
    bool DeleteKey(const QString &section, const QString &key);

    // Reads the file again (for a change made by another program).
    void Reload();

private:
    bool save();

    QString m_fileName;
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Integer text as the settings file holds it: decimal, or hexadecimal after "$" or "0x".
bool parseIniInteger(const QString &text, int &out);
