#include "ui/CajaNumero.h"

void CajaNumero::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
}
