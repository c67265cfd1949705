#pragma once
// Sets an environment variable for one scope and puts back what was there, also when an
// assertion leaves the test early.

#include <QByteArray>
#include <QtGlobal>

class EnvOverride {
public:
    EnvOverride(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_before(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvOverride()
    {
        if (m_wasSet)
            qputenv(m_name, m_before);
        else
            qunsetenv(m_name);
    }
    EnvOverride(const EnvOverride &) = delete;
    EnvOverride &operator=(const EnvOverride &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_before;
};
