#pragma once

#include <QLocale>

// The default locale that a test sets, given back when it ends: set it in init() or in the
// test itself, restore it in cleanup(), so that no test leaves its locale to the next one.
class TestLocale
{
public:
    void fijar(const QLocale& locale)
    {
        anterior_ = QLocale();
        QLocale::setDefault(locale);
    }
    void restaurar() const { QLocale::setDefault(anterior_); }

private:
    QLocale anterior_;
};
