#include "support/scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs() : m_previous(&PDialogs())
{
    PSetDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    PSetDialogs(m_previous == this ? nullptr : m_previous);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const auto &s : m_shown)
        out << s.text;
    return out;
}

void ScriptedDialogs::message(const QString &text, const QString &title, Icon icon)
{
    m_shown.append({QStringLiteral("message"), title, text, icon});
}

Dialogs::Answer ScriptedDialogs::ask(const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    m_shown.append({QStringLiteral("ask"), title, text, icon, buttons});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == YesNo ? No : Cancel;
}

bool ScriptedDialogs::input(const QString &title, const QString &prompt, QString &value)
{
    m_shown.append({QStringLiteral("input"), title, prompt, NoIcon});
    if (m_inputs.isEmpty())
        return false;
    const QString v = m_inputs.takeFirst();
    if (!m_inputOk.takeFirst())
        return false;
    value = v;
    return true;
}

QString ScriptedDialogs::openFile(const QString &title, const QString &filter, const QString &)
{
    m_shown.append({QStringLiteral("open"), title, filter, NoIcon});
    m_lastFilter = filter;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &filter, const QString &)
{
    m_shown.append({QStringLiteral("save"), title, filter, NoIcon});
    m_lastFilter = filter;
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

bool ScriptedDialogs::chooseColor(QColor &color)
{
    m_shown.append({QStringLiteral("color"), QString(), color.name(), NoIcon});
    if (m_colors.isEmpty())
        return false;
    color = m_colors.takeFirst();
    return true;
}
