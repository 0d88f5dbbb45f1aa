#pragma once

#include <QDialog>
#include <QString>

namespace verification {
struct ReportText;
}

class QPushButton;
class QScreen;

// What the solution shown is worth: residuals, backward and forward error, the condition
// of the system and its determinant, with a "Copiar" button for a lab report. Modal; Enter
// and Escape close it.
class frmVerificacion : public QDialog
{
    Q_OBJECT

public:
    frmVerificacion(const verification::ReportText& checkReport, QWidget* parent = nullptr);

private:
    void Copiar_Click();
    void fitToScreen(const QScreen* screen, QSize wanted);

    // The report as the clipboard receives it.
    QString text_;
};
