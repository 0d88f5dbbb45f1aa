#include "DataColumns.h"
#include "ModalCloser.h"

#include "ui/frmAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <functional>

// Receives the mail links that the dialog asks the desktop to open.
class MailCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestAbout : public QObject
{
    Q_OBJECT

    // Runs check on the dialog while showAbout() holds it modally, then closes it if the
    // check left it open. Returns the dialog's address, null once it is destroyed.
    QPointer<QWidget> whileShown(const std::function<void(QDialog&)>& check)
    {
        QPointer<QWidget> seen;
        ModalCloser closer;
        closer.onShown = [&](QWidget& modal) {
            auto* dialog = qobject_cast<QDialog*>(&modal);
            seen = dialog;
            if (dialog)
                check(*dialog);
        };
        frmAbout::showAbout(&window_);
        return seen;
    }

    QWidget window_;

private slots:
    void initTestCase()
    {
        window_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window_));
    }

    // Modal, centred on the screen, destroyed once closed.
    void shownModallyAndDestroyedAfterwards()
    {
        QString name;
        bool modal = false;
        QPoint offset(1000, 1000);
        const QPointer<QWidget> seen = whileShown([&](QDialog& d) {
            name = d.objectName();
            modal = d.isModal() && d.windowModality() != Qt::NonModal;
            offset = d.geometry().center() - d.screen()->availableGeometry().center();
        });
        QCOMPARE(name, QStringLiteral("frmAbout"));
        QVERIFY(modal);
        QVERIFY(seen.isNull());
        QVERIFY2(offset.manhattanLength() <= 40, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    void texts_data()
    {
        // clang-format off
        addColumns<QString, QString>("name", "text");
        QTest::newRow("Label5") << "Label5" << "Métodos Numéricos";
        QTest::newRow("Label4") << "Label4" << "Ingeniería Mecánica";
        QTest::newRow("Label1") << "Label1" << "Aplicación creada por :";
        QTest::newRow("Label2") << "Label2" << "Equipo Sorvani " SORVANI_VERSION;
        QTest::newRow("Label3") << "Label3" << "sorvani@example.org";
        // clang-format on
    }
    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const frmAbout dialog(&window_);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Información"));
        const auto* label = dialog.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        // Sized to its text, inside the dialog and clear of the picture.
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
        QVERIFY(dialog.rect().contains(label->geometry()));
        QVERIFY(!label->geometry().intersects(dialog.findChild<QLabel*>("Image1")->geometry()));
        QCOMPARE(dialog.findChild<QPushButton*>("Command1")->text(), QStringLiteral("&Aceptar"));
    }

    void windowShape()
    {
        const frmAbout dialog(&window_);
        QCOMPARE(dialog.size(), QSize(326, 197));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(dialog.windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(dialog.windowIcon().availableSizes().contains(QSize(32, 32)));

        const auto* image = dialog.findChild<QLabel*>("Image1");
        QCOMPARE(image->geometry(), QRect(9, 9, 133, 180));
        QCOMPARE(image->pixmap().size(), QSize(129, 176));
        QCOMPARE(image->contentsRect().size(), image->pixmap().size());
    }

    void link()
    {
        const frmAbout dialog(&window_);
        const auto* label = dialog.findChild<QLabel*>("Label3");
        QCOMPARE(label->toolTip(), QStringLiteral("Escribir mensaje de correo"));
        QVERIFY(label->font().underline());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(label->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(label->cursor().hotSpot(), QPoint(9, 0));
        QCOMPARE(dialog.findChild<QLabel*>("Label4")->palette().color(QPalette::WindowText),
                 dialog.palette().color(QPalette::Active, QPalette::Highlight));
    }

    void clickOnTheAddress_data()
    {
        QTest::addColumn<bool>("mailProgram");
        QTest::newRow("mail program") << true;
        // None on this platform: the click fails silently.
        QTest::newRow("no mail program") << false;
    }

    // Only the address opens a message; the dialog stays open and shows nothing more.
    void clickOnTheAddress()
    {
        QFETCH(bool, mailProgram);
        MailCatcher catcher;
        if (mailProgram)
            QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        bool open = false;
        whileShown([&](QDialog& d) {
            QTest::mouseClick(d.findChild<QLabel*>("Label2"), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QLabel*>("Label3"), Qt::LeftButton);
            QApplication::processEvents();
            open = d.isVisible() && QApplication::activeModalWidget() == &d;
        });
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QVERIFY(open);
        QCOMPARE(catcher.urls, mailProgram ? QList<QUrl>{QUrl(QStringLiteral("mailto:sorvani@example.org"))} : QList<QUrl>());
    }

    void closingKeys_data()
    {
        addColumns<int, bool>("key", "buttonFocused");
        QTest::newRow("Enter on the button") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter on the button") << int(Qt::Key_Enter) << true;
        QTest::newRow("Esc on the button") << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter, nothing focused") << int(Qt::Key_Return) << false;
        QTest::newRow("Esc, nothing focused") << int(Qt::Key_Escape) << false;
    }
    void closingKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, buttonFocused);
        bool closed = false;
        whileShown([&](QDialog& d) {
            QApplication::setActiveWindow(&d);
            auto* button = d.findChild<QPushButton*>("Command1");
            if (buttonFocused)
                button->setFocus();
            else if (QWidget* focus = d.focusWidget())
                focus->clearFocus();
            QCOMPARE(button->hasFocus(), buttonFocused);
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &d;
            QTest::keyClick(target, Qt::Key(key));
            closed = !d.isVisible();
        });
        QVERIFY(closed);
    }

    void secondShowingStartsFresh()
    {
        whileShown([](QDialog& d) {
            d.findChild<QLabel*>("Label1")->setText(QStringLiteral("cambiado"));
            d.findChild<QPushButton*>("Command1")->move(0, 0);
            d.findChild<QPushButton*>("Command1")->click();
        });
        QString text;
        QPoint place;
        whileShown([&](QDialog& d) {
            text = d.findChild<QLabel*>("Label1")->text();
            place = d.findChild<QPushButton*>("Command1")->pos();
        });
        QCOMPARE(text, QStringLiteral("Aplicación creada por :"));
        QCOMPARE(place, QPoint(174, 160));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
