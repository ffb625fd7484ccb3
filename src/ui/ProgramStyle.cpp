#include "ui/ProgramStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>
#include <cmath>

namespace qm {

namespace {

// Everything a scroll bar's drawing depends on, as a pixmap cache key; empty where a copy would
// not be exact (a scaled or rotated painter, a fractional device pixel ratio).
QString ScrollBarKey(const QStyleOptionSlider& bar, const QPainter& painter) {
    const qreal ratio = painter.device()->devicePixelRatio();
    if (painter.transform().type() > QTransform::TxTranslate || ratio != std::floor(ratio))
        return {};
    QString key = QStringLiteral("qm-scroll-bar");
    for (const qint64 part :
         {qint64(bar.rect.width()), qint64(bar.rect.height()), qint64(ratio),
          qint64(bar.state.toInt()), qint64(bar.subControls.toInt()),
          qint64(bar.activeSubControls.toInt()), qint64(bar.orientation), qint64(bar.direction),
          qint64(bar.minimum), qint64(bar.maximum), qint64(bar.sliderPosition),
          qint64(bar.sliderValue), qint64(bar.singleStep), qint64(bar.pageStep),
          qint64(bar.upsideDown), bar.palette.cacheKey()})
        key += QLatin1Char('-') + QString::number(part);
    return key;
}

} // namespace

ProgramStyle::ProgramStyle() = default;

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    const QString key = control == CC_ScrollBar && bar ? ScrollBarKey(*bar, *painter) : QString();
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
    painter->drawPixmap(bar->rect.topLeft(), drawn);
}

void UseProgramStyle() {
    QApplication::setStyle(new ProgramStyle);
}

} // namespace qm
