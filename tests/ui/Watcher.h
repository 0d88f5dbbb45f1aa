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
struct WindowControls;

// Watches the main window while someone else works it. It keeps a model of what the
// workflow's rules say the window must show, fed by the commands that actually ran (seen
// through the controls' own signals, after the window's handlers), and checks the window
// against it after every action. It also meets every modal window: checks that it is one
// of the program's own, notes what the window looked like meanwhile, and closes it in one
// of the ways a user closes a box, chosen from its own seed.
class Watcher
{
public:
    explicit Watcher(quint64 seed);

    // Follows a window that has just been opened, from its start-up state on.
    void watch(FrmP& window, const WindowControls& controls);

    // The window was closed by its close box.
    void noteClosed();
    // The program has ended: the window must be closed, and a new one is to be opened.
    bool hasQuit() const { return quit_; }

    // Every check that holds between two actions.
    void afterAction();

    void require(bool holds, const QString& what);
    void count(const QString& what) { ++counts_[what]; }
    QStringList takeFailures();
    QString summary() const;

private:
    enum class Command
    {
        Accept,
        New,
        Solve,
        Matrices,
        Quit,
        About,
        Generate,
        Fit,
        Verify,
        Steps
    };

    // The stage of the calculation as the rules lead the window through it.
    struct Model
    {
        bool sheetReady = false;  // "Calcular" and its two menu items
        bool matrices = false;    // the B/C frame shown instead of the worksheet
        bool trio = true;         // "Nuevo Cálculo", "Ingresar" and the number box
        bool sheetEnabled = true; // the worksheet grid itself
        int n = 0;                // the worksheet is laid out for n; 0 when it is not
        int solutionRows = 0;     // rows of the solution grid
        QString status;
        QString tip;
    };

    // A modal window as it was met, and the main window meanwhile.
    struct Modal : ModalCloser::Seen
    {
        QStringList disabled;     // members of the enabling set disabled meanwhile
        bool busy = false;        // the busy pointer
        bool undoEnabled = false; // undo or redo enabled
    };

    static const char* name(Command c);

    void onCommand(Command c, const QObject* source);
    void onAccept(const QList<Modal>& seen);
    void sheetLaidOut(const QString& text);
    void sheetCleared();
    void onRecorded();
    void onApplied(bool undone, bool layout);
    // The worksheet as undo must give it back: every cell but the corner, its shape and state.
    QStringList currentSheet() const;
    void onFit(bool button);
    void onSolve(const QList<Modal>& seen);
    void checkRandomValues();

    void note();
    void closeModal(QWidget& modal);
    void walkSteps(QWidget& dialog);
    void checkModal(const Modal& m);

    bool busy() const;
    void verify();
    void verifySheet();
    void verifyEditor();
    QRect currentCellInWindow() const;

    std::mt19937_64 random_;
    ModalCloser modalCloser_;
    QPointer<FrmP> v_;
    const WindowControls* p_ = nullptr;
    Model m_;
    bool quit_ = false;
    bool editorMoved_ = false;

    QList<Modal> modals_;
    qsizetype handled_ = 0;
    QString closedBy_;

    // The worksheet after the last action; before the one step that action recorded, if it
    // recorded one and ran no calculation (which writes "0" outside the history).
    QStringList previous_;
    QStringList beforeChange_;
    bool recentChange_ = false;
    int stepsInAction_ = 0;
    bool appliedInAction_ = false;
    bool solveInAction_ = false;

    QStringList failures_;
    std::map<QString, int> counts_;
    int windows_ = 0;
    int maxN_ = 0;
};
