#pragma once

#include <QLineEdit>

// The number box: whenever it takes the focus its whole text is selected, so that typing
// replaces the number.
class NumberBox : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};
