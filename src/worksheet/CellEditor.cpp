#include "worksheet/CellEditor.h"

#include "grid/GridClipboard.h"
#include "grid/GridControl.h"
#include "grid/KeyboardContextMenu.h"
#include "grid/Twips.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QStringList>

namespace {

// The numeric keypad's decimal key types the locale's decimal separator, as in a
// spreadsheet, whatever symbol the keyboard layout gives it.
bool isKeypadDecimal(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers();
    return (mods & Qt::KeypadModifier) &&
           !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           (key.key() == Qt::Key_Period || key.key() == Qt::Key_Comma);
}

// What a screen reader says when the editor takes the focus: which cell it edits, by the
// headers of its row and of its column ("Editor de celda, EQ2 X3").
QString editorName(const GridControl& grid)
{
    QStringList headers;
    for (int c = 0; c < grid.FixedCols(); ++c)
        headers << grid.TextMatrix(grid.Row(), c);
    for (int r = 0; r < grid.FixedRows(); ++r)
        headers << grid.TextMatrix(r, grid.Col());
    headers.removeAll(QString());
    const QString name = QStringLiteral("Editor de celda");
    return headers.isEmpty() ? name : name + QStringLiteral(", ") + headers.join(QLatin1Char(' '));
}

} // namespace

CellEditor::CellEditor(GridControl& cuadric, QLineEdit& text1, QObject* parent)
    : QObject(parent), cuadric_(cuadric), text1_(text1)
{
    text1_.installEventFilter(this);
    cuadric_.installEventFilter(this);
    // While it is open the editor's own text menu is the one at hand, as in a spreadsheet's
    // cell being edited: Enter or Escape gives the keys back to the worksheet's menu.
    KeyboardContextMenu::install(text1_);
    connect(&cuadric_, &GridControl::GotFocus, this, &CellEditor::commit);
    connect(&cuadric_, &GridControl::LeaveCell, this, &CellEditor::commit);
    connect(&cuadric_, &GridControl::RowColChange, this, &CellEditor::showPosition);
}

bool CellEditor::isOpen() const
{
    return !text1_.isHidden();
}

void CellEditor::UbicarEditor(int keyAscii)
{
    // Before the first worksheet is laid out there is no cell to edit.
    if (!cuadric_.hasCurrentCell())
        return;

    text1_.setGeometry(cuadric_.x() + twipsToPixels(cuadric_.CellLeft()),
                       cuadric_.y() + twipsToPixels(cuadric_.CellTop()),
                       twipsToPixels(cuadric_.CellWidth()), twipsToPixels(cuadric_.CellHeight()));
    text1_.setAccessibleName(editorName(cuadric_));
    text1_.show();
    text1_.raise();
    text1_.setFocus();

    if (keyAscii > DoubleClickCode || keyAscii < 0) {
        const char32_t code = static_cast<char32_t>(keyAscii);
        text1_.setText(QString::fromUcs4(&code, 1));
    } else {
        text1_.setText(cuadric_.Text());
    }
    text1_.setCursorPosition(text1_.text().size());
    text1_.deselect();
}

void CellEditor::commit()
{
    if (!isOpen())
        return;
    const QString before = cuadric_.Text();
    QString text = text1_.text();
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    cuadric_.setText(text);
    text1_.hide();
    emit Committed(cuadric_.Row(), cuadric_.Col(), before);
}

void CellEditor::returnToGrid()
{
    cuadric_.setFocus();
    // Let the focus change run, so that the grid's own focus handling commits the text
    // before the current cell moves. User input stays queued: a click waiting behind the
    // key must not start another command in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Without an active window the grid cannot take the focus; the text still belongs
    // in the cell the editor was opened over.
    commit();
}

void CellEditor::MoverCelda(int keyCode)
{
    switch (keyCode) {
    case GridKey::Escape:
        text1_.hide();
        cuadric_.setFocus();
        break;
    case GridKey::Enter:
        returnToGrid();
        if (cuadric_.Col() < cuadric_.Cols() - 1) {
            cuadric_.setCol(cuadric_.Col() + 1);
        } else if (cuadric_.Row() < cuadric_.Rows() - 1) {
            cuadric_.setRow(cuadric_.Row() + 1);
            cuadric_.setCol(1);
        }
        break;
    case GridKey::Down:
        returnToGrid();
        if (cuadric_.Row() < cuadric_.Rows() - 1)
            cuadric_.setRow(cuadric_.Row() + 1);
        break;
    case GridKey::Up:
        returnToGrid();
        if (cuadric_.Row() > cuadric_.FixedRows())
            cuadric_.setRow(cuadric_.Row() - 1);
        break;
    default:
        break;
    }
}

bool CellEditor::paste()
{
    const QString clip = QGuiApplication::clipboard()->text();
    if (!clip.contains(u'\t') && !clip.contains(u'\n') && !clip.contains(u'\r'))
        return false;
    const TextBlock block = GridClipboard::pasted();
    // One cell copied from a spreadsheet comes with its line break: it is a value.
    if (block.size() == 1 && block.front().size() == 1) {
        text1_.insert(QString::fromStdU16String(block.front().front()));
        return true;
    }
    // The block's first cell is the edited one: what was typed there gives way to it.
    text1_.hide();
    cuadric_.setFocus();
    cuadric_.pasteFromClipboard();
    return true;
}

void CellEditor::showPosition()
{
    cuadric_.setTextMatrix(0, 0, QStringLiteral("%1,%2").arg(cuadric_.Row()).arg(cuadric_.Col()));
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == &text1_ || watched == &cuadric_) &&
        isKeypadDecimal(*static_cast<QKeyEvent*>(event))) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        const QString separator = QLocale().decimalPoint();
        // The same key again, typing the separator: on the grid it opens the editor
        // with it, in the editor it is inserted.
        if (key.text() != separator) {
            QKeyEvent decimal(QEvent::KeyPress, key.key(), key.modifiers(), separator,
                              key.isAutoRepeat(), key.count());
            QCoreApplication::sendEvent(watched, &decimal);
            return true;
        }
    }
    if (watched != &text1_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
        return paste();
    const GridKey::Code code = GridKey::keyCode(static_cast<QKeyEvent*>(event)->key());
    if (code != GridKey::Escape && code != GridKey::Enter && code != GridKey::Up &&
        code != GridKey::Down)
        return false;
    // Enter and Escape insert nothing; the arrows are not the line edit's either.
    MoverCelda(code);
    return true;
}
