#pragma once

#include <QString>

#include <type_traits>

// Control characters shown readably in the replay log.
inline QString printable(const QString& s, int limit = 60)
{
    QString r;
    for (const QChar c : s.left(limit)) {
        if (c == u'\n')
            r += QStringLiteral("\\n");
        else if (c == u'\r')
            r += QStringLiteral("\\r");
        else if (c == u'\t')
            r += QStringLiteral("\\t");
        else if (c.unicode() < 32)
            r += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            r += c;
    }
    if (s.size() > limit)
        r += QStringLiteral("…(%1)").arg(s.size());
    return QLatin1Char('"') + r + QLatin1Char('"');
}

// The pattern filled with the arguments, numbers in their plain form, each %n once.
template <typename T> QString asText(const T& v)
{
    if constexpr (std::is_arithmetic_v<T>)
        return QString::number(v);
    else
        return QString(v);
}
template <typename... Args> QString filled(const QString& pattern, const Args&... args)
{
    return pattern.arg(asText(args)...);
}
