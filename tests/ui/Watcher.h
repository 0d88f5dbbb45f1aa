#pragma once

#include "ModalCloser.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <map>
#include <random>

class FrmP;
class QObject;
class QWidget;
struct Piezas;

// Watches the main window while someone else works it. It keeps a model of what the
// workflow's rules say the window must show, fed by the commands that actually ran (seen
// through the controls' own signals, after the window's handlers), and checks the window
// against it after every action. It also meets every modal window: checks that it is one
// of the program's own, notes what the window looked like meanwhile, and closes it in one
// of the ways a user closes a box, chosen from its own seed.
class Watcher
{
public:
    explicit Watcher(quint64 semilla);

    // Follows a window that has just been opened, from its start-up state on.
    void observar(FrmP& ventana, const Piezas& piezas);

    // The window was closed by its close box.
    void notarCierre();
    // The program has ended: the window must be closed, and a new one is to be opened.
    bool salio() const { return salio_; }

    // Every check that holds between two actions.
    void despuesDeAccion();

    void exigir(bool cumple, const QString& que);
    void contar(const QString& que) { ++cuenta_[que]; }
    QStringList tomarFallos();
    QString resumen() const;

private:
    enum class Comando
    {
        Aceptar,
        Nuevo,
        Calcular,
        Mostrar,
        Salir,
        Acerca,
        Generar,
        Ajustar,
        Verificar,
        Pasos,
    };

    // The stage of the calculation as the rules lead the window through it.
    struct Modelo
    {
        bool hojaLista = false;        // "Calcular" and its two menu items
        bool matrices = false;         // the B/C frame shown instead of the worksheet
        bool trio = true;              // "Nuevo Cálculo", "Ingresar" and the number box
        bool cuadricHabilitada = true; // the worksheet grid itself
        int n = 0;                     // the worksheet is laid out for n; 0 when it is not
        int filasResp = 0;             // rows of the solution grid
        QString estado;
        QString tip;
    };

    // A modal window as it was met, and the main window meanwhile.
    struct Modal : ModalCloser::Visto
    {
        QStringList deshabilitados; // members of the enabling set disabled meanwhile
        bool ocupado = false;       // the busy pointer
        bool deshacer = false;      // undo or redo enabled
    };

    static const char* nombre(Comando c);

    void alComando(Comando c, const QObject* origen);
    void alAceptar(const QList<Modal>& vistos);
    void hojaDispuesta(const QString& texto);
    void hojaRetirada();
    void alRegistrar();
    void alAplicar(bool deshecho, bool disposicion);
    // The worksheet as undo must give it back: every cell but the corner, its shape and state.
    QStringList hojaActual() const;
    void alAjustar(bool boton);
    void alCalcular(const QList<Modal>& vistos);
    void revisarAleatorios();

    void anotar();
    void cerrar(QWidget& modal);
    void recorrerPasos(QWidget& dialogo);
    void revisarModal(const Modal& m);

    bool ocupado() const;
    void verificar();
    void verificarHoja();
    void verificarEditor();
    QRect celdaActualEnVentana() const;

    std::mt19937_64 azar_;
    ModalCloser cierreDeModales_;
    QPointer<FrmP> v_;
    const Piezas* p_ = nullptr;
    Modelo m_;
    bool salio_ = false;
    bool editorDesplazado_ = false;

    QList<Modal> modales_;
    qsizetype atendidos_ = 0;
    QString comoCierra_;

    // The worksheet after the last action; before the one step that action recorded, if it
    // recorded one and ran no calculation (which writes "0" outside the history).
    QStringList previo_;
    QStringList antesDelCambio_;
    bool cambioReciente_ = false;
    int pasosEnAccion_ = 0;
    bool aplicadoEnAccion_ = false;
    bool calculoEnAccion_ = false;

    QStringList fallos_;
    std::map<QString, int> cuenta_;
    int ventanas_ = 0;
    int nMaximo_ = 0;
};
