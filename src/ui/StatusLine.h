#pragma once

#include <QLabel>

class QAccessibleInterface;

// The window's status line: a label that screen readers know as the status bar. Its
// accessible name is its text, so every change of text is announced; what the line is
// ("Estado") goes in the accessible description.
class StatusLine : public QLabel
{
    Q_OBJECT

public:
    StatusLine(const QString& text, QWidget* parent = nullptr);

    static QAccessibleInterface* accessibleInterface(QObject* object);
};
