#include "ui/frmAbout.h"

#include "grid/Twips.h"
#include "ui/DialogFont.h"
#include "ui/InstallControlAccessibility.h"
#include "ui/LinkLabel.h"
#include "ui/LoadResources.h"

#include <QColor>
#include <QCursor>
#include <QDesktopServices>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

constexpr QLatin1String kContactAddress("sorvani@example.org");

// The captions were laid out for an 8.25 and a 9.75 point sans-serif at 96 dots per
// inch: 11 and 13 pixels.
constexpr int kSmallPixels = 11;
constexpr int kLargePixels = 13;

void setTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

// A label that sizes itself to its text, with its top-left corner at (left, top) twips.
template <typename Label = QLabel>
Label* caption(QWidget* parent, const char* name, const QString& text, const QFont& font, int left,
               int top)
{
    auto* label = new Label(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->adjustSize();
    label->move(twipsToPixels(left), twipsToPixels(top));
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    loadResources();
    installControlAccessibility();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Información"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/info16.png"));
    icon.addFile(QStringLiteral(":/info32.png"));
    setWindowIcon(icon);
    setFixedSize(twipsToPixels(4890), twipsToPixels(2955));

    // Created in tab order.
    Label1 = caption(this, "Label1", QStringLiteral("Aplicación creada por :"),
                     dialogFont(kSmallPixels, true), 2460, 1125);
    Label2 = caption(this, "Label2", QStringLiteral("Equipo Sorvani " SORVANI_VERSION),
                     dialogFont(kSmallPixels, false), 2452, 1575);
    Label5 = caption(this, "Label5", QStringLiteral("Métodos Numéricos"),
                     dialogFont(kLargePixels, true), 2415, 540);

    Command1 = new QPushButton(QStringLiteral("&Aceptar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsToPixels(2617), twipsToPixels(2400), twipsToPixels(1680),
                          twipsToPixels(435));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    Label4 = caption(this, "Label4", QStringLiteral("Ingeniería Mecánica"),
                     dialogFont(kLargePixels, true), 2400, 180);
    setTextColour(*Label4, palette().color(QPalette::Active, QPalette::Highlight));

    QFont linkFont = dialogFont(kSmallPixels, false);
    linkFont.setUnderline(true);
    auto* link = caption<LinkLabel>(this, "Label3", QString(kContactAddress), linkFont, 2430, 1980);
    connect(link, &LinkLabel::activated, this, &frmAbout::Label3_Click);
    Label3 = link;
    setTextColour(*Label3, QColor(0, 0, 255));
    Label3->setToolTip(QStringLiteral("Escribir mensaje de correo"));
    // The hand's fingertip is at (9, 0) of its picture.
    Label3->setCursor(QCursor(QPixmap(QStringLiteral(":/mano.png")), 9, 0));

    // The emblem exactly fills the inside of a 2-pixel border.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Emblema"));
    Image1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Image1->setLineWidth(2);
    Image1->setPixmap(QPixmap(QStringLiteral(":/emblema.png")));
    Image1->setGeometry(twipsToPixels(135), twipsToPixels(135), twipsToPixels(1995),
                        twipsToPixels(2700));

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void frmAbout::showAbout(QWidget* parent)
{
    frmAbout dialog(parent);
    dialog.exec();
}

void frmAbout::Command1_Click()
{
    accept();
}

// Whether a mail program opened is of no concern: nothing is reported either way.
void frmAbout::Label3_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kContactAddress));
}
