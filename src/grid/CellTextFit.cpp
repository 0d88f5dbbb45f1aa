#include "grid/CellTextFit.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Squeezed beyond this share of the condensed face a header is no longer comfortable to
// read: it is cut instead.
constexpr double kNarrowestShare = 0.85;
// Header texts are few; a grid that shows more has them measured again.
constexpr qsizetype kMaxCachedChoices = 4096;

// The same test as the drawing's: a text that would be elided does not fit.
bool fits(const QFontMetrics& metrics, const QString& text, int room)
{
    return room > 0 && metrics.elidedText(text, Qt::ElideRight, room) == text;
}

} // namespace

CellTextFit::Choice::Choice(const QFont& f, const QFontMetrics& m, int margin_, bool fits_,
                            const QString& text)
    : font(f), metrics(m), margin(margin_), fits(fits_)
{
    if (!fits)
        return;
    whole.setTextFormat(Qt::PlainText);
    whole.setText(text);
    whole.prepare(QTransform(), font);
    wholeWidth = whole.size().width();
}

void CellTextFit::setBase(const QFont& base)
{
    if (base == base_ && base.resolveMask() == base_.resolveMask())
        return;
    base_ = base;
    baseMetrics_ = QFontMetrics(base_);
    condensed_.reset();
    choices_.clear();
}

// The condensed face of the base font's family where the system has one (Liberation Sans
// Narrow beside Liberation Sans, DejaVu Sans Condensed beside DejaVu Sans); else the base
// face, squeezed by the font engine.
const QFont& CellTextFit::condensed()
{
    if (condensed_)
        return *condensed_;
    const QString family = QFontInfo(base_).family();
    for (const char* suffix : {" Narrow", " Condensed"}) {
        const QString name = family + QLatin1String(suffix);
        if (QFontDatabase::hasFamily(name)) {
            QFont f = base_;
            f.setFamilies({name});
            condensed_ = f;
            return *condensed_;
        }
    }
    QFont f = base_;
    f.setStretch(QFont::Condensed);
    condensed_ = f;
    return *condensed_;
}

const CellTextFit::Choice& CellTextFit::choose(const QString& text, int width)
{
    const auto key = qMakePair(text, width);
    if (const auto found = choices_.constFind(key); found != choices_.cend())
        return *found;
    if (choices_.size() > kMaxCachedChoices)
        choices_.clear();

    std::optional<Choice> choice;
    const auto tryFont = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        for (const int margin : {kMargin, 1, 0}) {
            if (fits(metrics, text, width - 2 * margin)) {
                choice.emplace(font, metrics, margin, true, text);
                return true;
            }
        }
        return false;
    };
    if (fits(baseMetrics_, text, width - 2 * kMargin))
        choice.emplace(base_, baseMetrics_, kMargin, true, text);
    else if (!tryFont(condensed())) {
        // The condensed face squeezed just enough, within reason. Qt gives no face's own
        // stretch, to which a requested one is relative: the first that fits is taken.
        const int own = QFontMetrics(condensed()).horizontalAdvance(text);
        QFont squeezed = condensed();
        for (int stretch = QFont::Unstretched; stretch >= QFont::ExtraCondensed; stretch -= 5) {
            QFont f = condensed();
            f.setStretch(stretch);
            const QFontMetrics metrics(f);
            if (metrics.horizontalAdvance(text) < kNarrowestShare * own)
                break;
            squeezed = f;
            if (fits(metrics, text, width))
                break;
        }
        if (!tryFont(squeezed))
            choice.emplace(squeezed, QFontMetrics(squeezed), 0, false, text);
    }
    return *choices_.insert(key, *choice);
}

CellTextFit::Layout CellTextFit::layout(const QFont& base, const QString& text, const QRect& inner,
                                        const QRect& visible)
{
    setBase(base);
    const Choice& choice = choose(text, inner.width());
    const QRect room = inner.adjusted(choice.margin, 0, -choice.margin, 0);
    Layout result{choice.font, room.intersected(visible), {}};
    if (choice.fits && result.area.width() == room.width()) {
        // All of the room is in view, and the text was found to fit it.
        result.shown = text;
        result.whole = &choice.whole;
        result.wholeWidth = choice.wholeWidth;
        return result;
    }
    result.shown = choice.metrics.elidedText(text, Qt::ElideRight, result.area.width());
    return result;
}

bool CellTextFit::isCut(const QFont& base, const QString& text, int innerWidth, bool fixed)
{
    setBase(base);
    if (fixed)
        return !choose(text, innerWidth).fits;
    return !fits(baseMetrics_, text, innerWidth - 2 * kMargin);
}
