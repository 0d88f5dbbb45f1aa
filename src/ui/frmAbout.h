#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about dialog: the program's subject, the author credit and a contact address that
// opens a new mail message. It is built afresh for every showing and holds no data of
// its own beyond its controls.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Shows a new dialog modally and destroys it once it is closed.
    static void showAbout(QWidget* parent);

private:
    void Command1_Click();
    void Label3_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label5;
    QPushButton* Command1;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* Image1;
};
