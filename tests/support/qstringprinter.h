#pragma once
// Lets failed expectations show texts as text rather than as bytes.

#include <QString>
#include <QStringList>
#include <ostream>
#include <type_traits>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (int i = 0; i < l.size(); ++i)
        *os << (i ? ", " : "") << '"' << l.at(i).toStdString() << '"';
    *os << '}';
}

// A parameterised case prints as the fields that tell it apart, so its name in a run's list is the
// same in every run and a failed case can be found again.
namespace casefield {
inline void put(std::ostream *os, const char *s) { *os << '"' << (s ? s : "") << '"'; }
inline void put(std::ostream *os, const QString &s) { PrintTo(s, os); }
inline void put(std::ostream *os, const QString *s) { PrintTo(s ? *s : QString(), os); }
inline void put(std::ostream *os, bool b) { *os << (b ? "true" : "false"); }
template <class T>
std::enable_if_t<std::is_arithmetic_v<T> || std::is_enum_v<T>> put(std::ostream *os, T v)
{
    *os << static_cast<long long>(v);
}
}  // namespace casefield

template <class... T>
void PrintCase(std::ostream *os, const T &...fields)
{
    int n = 0;
    ((*os << (n++ ? " " : ""), casefield::put(os, fields)), ...);
}
