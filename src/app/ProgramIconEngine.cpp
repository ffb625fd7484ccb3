#include "app/ProgramIconEngine.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <optional>

namespace qm {

struct ProgramIconEngine::Drawn {
    QString drawing;
    // Read when first needed.
    std::optional<QSvgRenderer> renderer;
    QHash<quint64, QPixmap> pixmaps; // by width and height

    QSvgRenderer& read() {
        if (!renderer)
            renderer.emplace(drawing);
        return *renderer;
    }
};

ProgramIconEngine::ProgramIconEngine(const QString& drawing) : drawn_(std::make_shared<Drawn>()) {
    drawn_->drawing = drawing;
}

QPixmap ProgramIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
    if (size.isEmpty() || isNull())
        return {};
    const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
    if (const auto found = drawn_->pixmaps.constFind(key); found != drawn_->pixmaps.cend())
        return *found;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawn_->read().render(&painter);
    painter.end();
    drawn_->pixmaps.insert(key, pixmap);
    return pixmap;
}

void ProgramIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    drawn.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, drawn);
}

QSize ProgramIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    return size;
}

QList<QSize> ProgramIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    return {};
}

QIconEngine* ProgramIconEngine::clone() const {
    auto* copy = new ProgramIconEngine(drawn_->drawing);
    copy->drawn_ = drawn_;
    return copy;
}

QString ProgramIconEngine::key() const {
    return QStringLiteral("ProgramIconEngine");
}

bool ProgramIconEngine::isNull() {
    return !drawn_->read().isValid();
}

} // namespace qm
