#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

#include <memory>
#include <random>
#include <vector>

class GridControl;
class QMenu;
class QAction;
class QWidget;
class WindowFixture;
class Watcher;

// A student who does anything, in any order, from a seed: types any characters into
// whatever has the focus, presses Enter, Escape, arrows, Tab and the F-keys, clicks every
// button, option and grid, chooses menu items by mouse, by keyboard or directly, moves
// the scroll bar, enters numbers of equations good and bad, pastes blocks, and now and
// then leaves the program and starts it again. It also uses the grids' context menus, the
// spreadsheet keys (Ctrl+A, Ctrl+Z, Ctrl+Y) and the verification of a solution. The Watcher watches the window meanwhile.
class RandomStudent
{
public:
    RandomStudent(quint64 semilla, Watcher& vigilante);
    ~RandomStudent();

    // Starts the program: a new main window, shown, active and watched.
    void abrirVentana();

    // One random action, finished with the pending events; what was done, for the replay log.
    QString actuar();

private:
    QString accion();
    QString teclearTexto();
    QString teclaEspecial();
    QString teclaDeFuncion();
    QString teclaControl();
    QString pulsarBoton();
    QString elegirMenu();
    QString moverBarra();
    QString clicEnCuadricula(GridControl* g = nullptr);
    QString fijarN();
    QString pegar();
    QString pegarDialecto();
    QString menuContextual();
    QString verificarSolucion();
    QString verPasos();
    QString deshacerYRehacer();
    QString clicEnControl();
    QString cerrarVentana();

    void teclear(const QString& texto);
    void tecla(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void clic(QWidget* w, QPoint donde = {}, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void cerrarMenus();
    QWidget* foco() const;
    QMenu* menuDe(QAction* a) const;

    int entre(int a, int b);
    bool probable(double p);
    template <typename T> const T& uno(const std::vector<T>& v) { return v[std::size_t(entre(0, int(v.size()) - 1))]; }
    QString caracterAleatorio();
    QString textoAleatorio();
    QString textoDeN();
    QString valorDeCelda();
    QString bloqueAleatorio();
    QString bloqueEnDialecto();

    std::mt19937_64 azar_;
    Watcher& vigilante_;
    std::unique_ptr<WindowFixture> f_;
};
