#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

#include <memory>
#include <random>
#include <utility>
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
    RandomStudent(quint64 seed, Watcher& watcher);
    ~RandomStudent();

    // Starts the program: a new main window, shown, active and watched.
    void openWindow();

    // One random action, finished with the pending events; what was done, for the replay log.
    QString act();

private:
    QString anyAction();
    QString typeText();
    QString specialKey();
    QString functionKey();
    QString controlKey();
    QString pressButton();
    QString chooseMenu();
    QString moveScrollBar();
    QString clickGrid(GridControl* g = nullptr);
    QString enterN();
    QString paste(bool dialect);
    QString contextMenu();
    QString solutionDialog(const char* actionName, Qt::Key key);
    QString undoAndRedo();
    QString clickControl();
    QString closeWindow();

    void typeKeys(const QString& text);
    void press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void click(QWidget* w, QPoint where = {}, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void closeMenus();
    QWidget* focus() const;
    QMenu* menuOf(QAction* a) const;

    int between(int a, int b);
    bool chance(double p);
    // One of the items, each as likely as its weight.
    template <typename T> T weighted(const std::vector<std::pair<T, int>>& items)
    {
        std::vector<int> weights;
        for (const auto& item : items)
            weights.push_back(item.second);
        return items[std::size_t(std::discrete_distribution<int>(weights.begin(), weights.end())(random_))].first;
    }
    template <typename List> const auto& oneOf(const List& v) { return v[std::size_t(between(0, int(v.size()) - 1))]; }
    QString randomChar();
    QString randomText();
    QString nText();
    QString cellValue();
    QString block(bool dialect);

    std::mt19937_64 random_;
    Watcher& watcher_;
    std::unique_ptr<WindowFixture> f_;
};
