#include "gui/style/ProgramStyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTabBar>
#include <cmath>

namespace qm {

namespace {

// Qt's painting hands a fill to worker threads from 96 spans (about one a scan line) on; a fill
// clipped to this many lines stays on the thread that paints.
constexpr int BandLines = 64;

// Runs `draw` once for each band of BandLines lines of `area` (in the painter's coordinates),
// with the painter clipped to the band: what it draws is drawn whole, a band at a time.
template <typename Draw> void DrawInBands(QPainter& painter, const QRect& area, Draw draw) {
    if (area.height() <= BandLines) {
        draw();
        return;
    }
    // What a style draws may reach a little past the area it was given.
    constexpr int Margin = 8;
    const int left = area.left() - Margin, width = area.width() + 2 * Margin;
    for (int top = area.top() - Margin; top <= area.bottom() + Margin; top += BandLines) {
        painter.save();
        painter.setClipRect(QRect(left, top, width, BandLines), Qt::IntersectClip);
        draw();
        painter.restore();
    }
}

// Whether what is drawn with `painter` can be copied from a picture drawn once: not for a scaled
// or rotated painter or a fractional device pixel ratio, where a copy would not be exact.
bool CopiesExactly(const QPainter& painter) {
    const qreal ratio = painter.device()->devicePixelRatio();
    return painter.transform().type() <= QTransform::TxTranslate && ratio == std::floor(ratio);
}

// Appends `value` to a pixmap cache key, exactly and without formatting a number: four 16-bit
// code units.
void Append(QString& key, quint64 value) {
    for (int shift = 0; shift < 64; shift += 16)
        key += QChar(static_cast<char16_t>(value >> shift));
}

// Appends the option's colours to a key. By value: two palettes of the same colours are often two
// palette objects (a style sheet hands the style a new copy for each drawing).
void AppendPalette(QString& key, const QPalette& palette) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        if (role == QPalette::NoRole) // no brush: it would key every palette apart
            continue;
        const QBrush& brush = palette.brush(static_cast<QPalette::ColorRole>(role));
        Append(key, brush.color().rgba64());
        if (brush.style() != Qt::SolidPattern) // a gradient or texture: this palette only
            Append(key, palette.cacheKey());
    }
}

// Everything a look's drawing depends on, as a pixmap cache key: its name, the option's size,
// state, direction and colours, the device pixel ratio and the look's own `parts`. Empty where a
// copy would not be exact or the style may draw from more than the option.
QString CacheKey(const ProgramStyle& style, QLatin1String look, const QStyleOption& option,
                 const QPainter& painter, std::initializer_list<qint64> parts) {
    if (!CopiesExactly(painter) || !style.copiesFromCache())
        return {};
    QString key = look;
    key.reserve(look.size() + 4 * 40);
    for (const qint64 part : {qint64(option.rect.width()), qint64(option.rect.height()),
                              qint64(painter.device()->devicePixelRatio()),
                              qint64(option.state.toInt()), qint64(option.direction)})
        Append(key, part);
    for (const qint64 part : parts)
        Append(key, part);
    AppendPalette(key, option.palette);
    return key;
}

// The key of a scroll bar's look; none for scroll bars that fade in and out (a copy would stop
// the animation).
QString ScrollBarKey(const ProgramStyle& style, const QStyleOptionSlider& bar,
                     const QPainter& painter, const QWidget* widget) {
    if (style.styleHint(QStyle::SH_ScrollBar_Transient, &bar, widget))
        return {};
    return CacheKey(style, QLatin1String("qm-scroll-bar"), bar, painter,
                    {qint64(bar.subControls.toInt()), qint64(bar.activeSubControls.toInt()),
                     qint64(bar.orientation), qint64(bar.minimum), qint64(bar.maximum),
                     qint64(bar.sliderPosition), qint64(bar.sliderValue), qint64(bar.singleStep),
                     qint64(bar.pageStep), qint64(bar.upsideDown)});
}

// The key of the frame of a line edit (a box's outline, drawn smoothed, which costs more than the
// rest of the box).
QString LineEditFrameKey(const ProgramStyle& style, const QStyleOptionFrame& frame,
                         const QPainter& painter, const QWidget* widget) {
    return CacheKey(style, QLatin1String("qm-line-edit-frame"), frame, painter,
                    {qint64(frame.lineWidth), qint64(frame.midLineWidth),
                     qint64(frame.features.toInt()), qint64(frame.frameShape),
                     qint64(frame.fontMetrics.height()), qint64(widget != nullptr)});
}

// The key of the shape of a tab on a tab bar (smoothed rounded corners and a shaded fill). It is
// drawn a little past the tab's rect where it meets its neighbours, and a chosen tab further down,
// which only the tab bar's own bounds cut off: nothing is copied for a tab drawn elsewhere. Tabs
// above the pages only: the others are drawn turned or flipped about their place.
QString TabShapeKey(const ProgramStyle& style, const QStyleOptionTab& tab, const QPainter& painter,
                    const QWidget* widget) {
    if (!qobject_cast<const QTabBar*>(widget) || tab.shape != QTabBar::RoundedNorth)
        return {};
    return CacheKey(style, QLatin1String("qm-tab-shape"), tab, painter,
                    {qint64(tab.shape), qint64(tab.position), qint64(tab.selectedPosition),
                     qint64(tab.features.toInt()), qint64(tab.documentMode),
                     qint64(tab.cornerWidgets.toInt()), qint64(tab.row)});
}

// How far past a tab's rect its shape may be drawn, at most.
constexpr int CopyMargin = 8;

// Draws what `draw` draws for `option` on a painter, copied from the pixmap cache under `key`
// (drawn there first, for a copy of the option moved to (margin, margin), when it is not there;
// a large drawing is kept with its long runs of repeated lines cut short, see RepeatedLines).
// The margin keeps what a style draws a little past the option's rect.
template <typename Option, typename Draw>
void CopyFromCache(const QString& key, const Option& option, int margin, QPainter& painter,
                   ProgramStyle::Kept& kept, Draw draw) {
    const QRect& rect = option.rect;
    QPixmap drawn;
    if (!QPixmapCache::find(key, &drawn)) {
        ++kept.drawnAnew;
        const qreal ratio = painter.device()->devicePixelRatio();
        QImage image((rect.size() + QSize(2 * margin, 2 * margin)) * ratio,
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        Option moved = option;
        moved.rect.moveTopLeft({margin, margin});
        QPainter onImage(&image);
        draw(&moved, &onImage);
        onImage.end();
        const RepeatedLines lines = RepeatedLines::Find(image);
        if (lines.cuts()) {
            image = lines.cut(image);
            kept.lines.insert(key, lines);
        } else {
            kept.lines.remove(key);
        }
        drawn = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(key, drawn);
    }
    // Copied pixel for pixel: asked to smooth, the painter would go the way of a scaled picture,
    // which fills through the worker threads again.
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QPoint at = rect.topLeft() - QPoint(margin, margin);
    const auto lines = kept.lines.constFind(key);
    if (lines == kept.lines.cend())
        painter.drawPixmap(at, drawn);
    else
        lines->draw(painter, at, drawn);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

// Gives an option of a window that is not active that window's colours, for as long as it
// lives; then gives it back as it was. The option is the drawing widget's own, made for this
// drawing.
class InactiveColours {
public:
    InactiveColours(bool on, const QStyleOption* option) {
        if (!on || !option || option->state.testFlag(QStyle::State_Active) ||
            option->palette.currentColorGroup() != QPalette::Active)
            return;
        option_ = const_cast<QStyleOption*>(option);
        option_->palette.setCurrentColorGroup(QPalette::Inactive);
    }
    ~InactiveColours() {
        if (option_)
            option_->palette.setCurrentColorGroup(QPalette::Active);
    }
    InactiveColours(const InactiveColours&) = delete;
    InactiveColours& operator=(const InactiveColours&) = delete;

private:
    QStyleOption* option_ = nullptr;
};

// WCAG relative luminance and contrast of two colours.
double Luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double x = Luminance(a), y = Luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

} // namespace

void DrawFocusMark(QPainter& painter, const QStyleOption& option, const QColor& background,
                   double inset) {
    if (!option.state.testFlag(QStyle::State_HasFocus) ||
        !option.state.testFlag(QStyle::State_Enabled) || option.rect.width() < 8 ||
        option.rect.height() < 8)
        return;
    QColor mark = option.palette.color(QPalette::Text);
    if (Contrast(mark, background) < 3.0)
        mark = option.palette.color(QPalette::ButtonText);
    if (Contrast(mark, background) < 3.0)
        mark = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(mark, 2.0);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(option.rect).adjusted(inset, inset, -inset, -inset));
    painter.restore();
}

namespace {

// The background a box or list shows inside its frame: a list that cannot be typed into is
// drawn as a button.
QColor BoxBackground(const QStyleOption& option, const QWidget* widget) {
    const auto* list = qobject_cast<const QComboBox*>(widget);
    return option.palette.color(list && !list->isEditable() ? QPalette::Button : QPalette::Base);
}

} // namespace

bool ProgramStyle::copiesFromCache() const {
    return baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    const InactiveColours shown(asShown_, option);
    // A group box's frame stretches pictures of its edges along its whole height: drawn in bands
    // each time (kept in the cache, each group box's frame would hold a picture of its size).
    if (element == PE_FrameGroupBox) {
        DrawInBands(*painter, option->rect,
                    [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
        return;
    }
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const QString key = frame && element == PE_FrameLineEdit
                            ? LineEditFrameKey(*this, *frame, *painter, widget)
                            : QString();
    const auto draw = [&](const QStyleOption* drawn, QPainter* on) {
        QProxyStyle::drawPrimitive(element, drawn, on, widget);
    };
    if (key.isEmpty())
        draw(option, painter);
    else
        CopyFromCache(key, *frame, 0, *painter, kept_, draw);
    if (element == PE_FrameLineEdit)
        DrawFocusMark(*painter, *option, BoxBackground(*option, widget));
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    const InactiveColours shown(asShown_, option);
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    const QString key =
        control == CC_ScrollBar && bar ? ScrollBarKey(*this, *bar, *painter, widget) : QString();
    if (key.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ComboBox)
            DrawFocusMark(*painter, *option, BoxBackground(*option, widget));
        return;
    }
    CopyFromCache(key, *bar, 0, *painter, kept_,
                  [&](const QStyleOptionSlider* moved, QPainter* onPixmap) {
                      QProxyStyle::drawComplexControl(control, moved, onPixmap, widget);
                  });
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const InactiveColours shown(asShown_, option);
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    const QString key = element == CE_TabBarTabShape && tab
                            ? TabShapeKey(*this, *tab, *painter, widget)
                            : QString();
    if (key.isEmpty()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        // A list or text box with its own frame (a results box, a list of funds).
        // Its frame only shows around what it scrolls: the mark is drawn over the frame.
        if (element == CE_ShapedFrame && qobject_cast<const QAbstractScrollArea*>(widget) &&
            widget->hasFocus()) {
            QStyleOption focused(*option);
            focused.state |= State_HasFocus;
            DrawFocusMark(*painter, focused, BoxBackground(*option, widget), 1.0);
        }
        return;
    }
    CopyFromCache(key, *tab, CopyMargin, *painter, kept_,
                  [&](const QStyleOptionTab* moved, QPainter* onPixmap) {
                      QProxyStyle::drawControl(element, moved, onPixmap, widget);
                  });
}

void UseProgramStyle() {
    QApplication::setStyle(new ProgramStyle);
}

} // namespace qm
