#pragma once

#include <QMessageBox>

class QString;
class QWidget;

// A message box in the program's style: the text, one OK button and the application's
// title as caption. Returns when the user has closed it.
void showMessage(QWidget* padre, QMessageBox::Icon icono, const QString& texto);
