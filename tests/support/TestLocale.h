#pragma once

#include <QLocale>

// The default locale that a test sets, given back when it ends: set it in init() or in the
// test itself, restore it in cleanup(), so that no test leaves its locale to the next one.
class TestLocale
{
public:
    void set(const QLocale& locale)
    {
        previous_ = QLocale();
        QLocale::setDefault(locale);
    }
    void restore() const { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};
