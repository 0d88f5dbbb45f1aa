#pragma once

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

// The number-of-equations reading written out once more, independently of the program's
// own reader, so that a test can tell which n a text must give: blanks, tabs and line
// feeds are skipped wherever they stand; then a sign, digits with at most one '.', an
// exponent (E or D, either case); or &H / &O and a hexadecimal or octal whole number.
// Reading stops at the first character that does not fit; no digit at all reads as 0.
namespace EquationCountOracle {

inline double leer(const QString& texto)
{
    QString s;
    for (const QChar c : texto)
        if (c != u' ' && c != u'\t' && c != u'\n')
            s += c;
    const auto en = [&s](qsizetype k) { return k < s.size() ? s[k] : QChar(); };
    const auto cifra = [](QChar c) { return c >= u'0' && c <= u'9'; };

    if (en(0) == u'&') {
        const QChar base = en(1).toUpper();
        const int radix = base == u'H' ? 16 : base == u'O' ? 8 : 0;
        if (radix == 0)
            return 0;
        double valor = 0;
        for (qsizetype k = 2;; ++k) {
            const QChar c = en(k).toUpper();
            const int d = cifra(c) ? c.unicode() - u'0' : c >= u'A' && c <= u'F' ? c.unicode() - u'A' + 10 : radix;
            if (d >= radix)
                break;
            valor = valor * radix + d;
        }
        return valor;
    }

    std::string limpio;
    qsizetype i = 0;
    if (en(i) == u'-')
        limpio += '-';
    if (en(i) == u'-' || en(i) == u'+')
        ++i;
    bool digitos = false;
    bool punto = false;
    for (;; ++i) {
        if (cifra(en(i))) {
            limpio += char(en(i).unicode());
            digitos = true;
        } else if (en(i) == u'.' && !punto) {
            limpio += '.';
            punto = true;
        } else {
            break;
        }
    }
    if (!digitos)
        return 0;
    const QChar letra = en(i).toUpper();
    bool expNegativo = false;
    if (letra == u'E' || letra == u'D') {
        std::string exponente = "e";
        qsizetype k = i + 1;
        if (en(k) == u'-' || en(k) == u'+') {
            expNegativo = en(k) == u'-';
            if (expNegativo)
                exponente += '-';
            ++k;
        }
        bool alguna = false;
        while (cifra(en(k))) {
            exponente += char(en(k++).unicode());
            alguna = true;
        }
        if (alguna)
            limpio += exponente;
    }
    double valor = 0;
    const auto [fin, ec] = std::from_chars(limpio.data(), limpio.data() + limpio.size(), valor);
    if (ec == std::errc::result_out_of_range) {
        const double signo = limpio.front() == '-' ? -1 : 1;
        return expNegativo ? 0 : signo * std::numeric_limits<double>::infinity();
    }
    return valor;
}

// The n that an accepted text gives, or 0 when the text is refused.
inline int aceptado(const QString& texto)
{
    const double v = leer(texto);
    if (!(v >= 2 && v <= 100))
        return 0;
    return static_cast<int>(std::nearbyint(v)); // the default rounding: halves to even
}

} // namespace EquationCountOracle
