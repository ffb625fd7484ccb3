#include "ui/ProgramStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>
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

// Everything a scroll bar's drawing depends on (its option), as a pixmap cache key; empty where
// a copy would not be exact (a scaled or rotated painter, a fractional device pixel ratio), would
// stop an animation (scroll bars that fade in and out) or where the style may draw from more than
// the option. The colours are keyed by value: two palettes of the same colours are often two
// palette objects.
QString ScrollBarKey(const ProgramStyle& style, const QStyleOptionSlider& bar,
                     const QPainter& painter, const QWidget* widget) {
    const qreal ratio = painter.device()->devicePixelRatio();
    if (painter.transform().type() > QTransform::TxTranslate || ratio != std::floor(ratio) ||
        !style.copiesScrollBars() || style.styleHint(QStyle::SH_ScrollBar_Transient, &bar, widget))
        return {};
    QString key = QStringLiteral("qm-scroll-bar");
    for (const qint64 part : {qint64(bar.rect.width()), qint64(bar.rect.height()), qint64(ratio),
                              qint64(bar.state.toInt()), qint64(bar.subControls.toInt()),
                              qint64(bar.activeSubControls.toInt()), qint64(bar.orientation),
                              qint64(bar.direction), qint64(bar.minimum), qint64(bar.maximum),
                              qint64(bar.sliderPosition), qint64(bar.sliderValue),
                              qint64(bar.singleStep), qint64(bar.pageStep), qint64(bar.upsideDown)})
        key += QLatin1Char('-') + QString::number(part);
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const QBrush& brush = bar.palette.brush(static_cast<QPalette::ColorRole>(role));
        key += QLatin1Char('-') + QString::number(brush.color().rgba64(), 36);
        if (brush.style() != Qt::SolidPattern) // a gradient or texture: this palette only
            key += QLatin1Char('-') + QString::number(bar.palette.cacheKey());
    }
    return key;
}

} // namespace

bool ProgramStyle::copiesScrollBars() const {
    return baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    // A group box's frame stretches pictures of its edges along its whole height.
    if (element == PE_FrameGroupBox) {
        DrawInBands(*painter, option->rect,
                    [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    const QString key =
        control == CC_ScrollBar && bar ? ScrollBarKey(*this, *bar, *painter, widget) : QString();
    if (key.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QPixmap drawn;
    if (!QPixmapCache::find(key, &drawn)) {
        const qreal ratio = painter->device()->devicePixelRatio();
        drawn = QPixmap(bar->rect.size() * ratio);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(Qt::transparent);
        QStyleOptionSlider atOrigin = *bar;
        atOrigin.rect.moveTopLeft({0, 0});
        QPainter onPixmap(&drawn);
        QProxyStyle::drawComplexControl(control, &atOrigin, &onPixmap, widget);
        onPixmap.end();
        QPixmapCache::insert(key, drawn);
    }
    // Copied pixel for pixel: asked to smooth, the painter would go the way of a scaled picture,
    // which fills through the worker threads again.
    const bool smooth = painter->testRenderHint(QPainter::SmoothPixmapTransform);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawPixmap(bar->rect.topLeft(), drawn);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void UseProgramStyle() {
    QApplication::setStyle(new ProgramStyle);
}

} // namespace qm
