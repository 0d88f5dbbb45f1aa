#pragma once

#include <QString>

// Control characters shown readably in the replay log.
inline QString legible(const QString& s, int maximo = 60)
{
    QString r;
    for (const QChar c : s.left(maximo)) {
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
    if (s.size() > maximo)
        r += QStringLiteral("…(%1)").arg(s.size());
    return QLatin1Char('"') + r + QLatin1Char('"');
}
