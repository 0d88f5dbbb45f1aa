#pragma once

#include <QLabel>

class QAccessibleInterface;

// A label that works as a link: a left click on it, or a screen reader's press action,
// raises activated(). Screen readers see it as a link named by its text.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

    static QAccessibleInterface* accessibleInterface(QObject* object);

signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
