#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QStaticText>
#include <QString>

#include <optional>

// How a cell's text is drawn in the room its cell gives it. Body cells use the grid's font
// and an ellipsis when the text is longer than the cell. Header texts ("EQ100", "X100",
// "100,101") must be read whole in the narrow columns they are given, so a header that does
// not fit tries, in order, narrower margins, the condensed face of the same family, and that
// face squeezed a little further; only then is it cut. The choices are cached per font,
// text and width, with the text laid out, so painting never matches fonts nor shapes a
// header that shows whole.
class CellTextFit
{
public:
    struct Layout
    {
        QFont font;
        QRect area;    // where the text is aligned
        QString shown; // the text, or its elided form
        // The whole text laid out in `font`, when it is shown whole: drawn without shaping.
        const QStaticText* whole = nullptr;
        qreal wholeWidth = 0;
    };

    // `inner` is the cell without its grid lines, `visible` the part of the viewport that
    // shows cells: the text is aligned in the part of the cell in view.
    Layout layout(const QFont& base, const QString& text, const QRect& inner, const QRect& visible);
    // Whether the text, shown whole in its cell, would still lose characters.
    bool isCut(const QFont& base, const QString& text, int innerWidth, bool fixed);

    static constexpr int kMargin = 2; // pixels either side of a text

private:
    struct Choice
    {
        Choice(const QFont& f, const QFontMetrics& m, int margin, bool fits, const QString& text);

        QFont font;
        QFontMetrics metrics;
        int margin = kMargin;
        bool fits = true;
        QStaticText whole;
        qreal wholeWidth = 0;
    };

    void setBase(const QFont& base);
    const Choice& choose(const QString& text, int width);
    const QFont& condensed();

    QFont base_;
    QFontMetrics baseMetrics_{QFont()};
    std::optional<QFont> condensed_;
    QHash<QPair<QString, int>, Choice> choices_;
};
