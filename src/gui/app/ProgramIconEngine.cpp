#include "gui/app/ProgramIconEngine.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <algorithm>
#include <cstring>
#include <optional>

namespace qm {

struct ProgramIconEngine::Drawn {
    QString drawing;
    std::optional<bool> readable;    // found out when first asked
    QHash<quint64, QPixmap> pixmaps; // by width and height
};

namespace {

// The drawing at `size`: from the pixels drawn ahead when the build made them for that size
// ("<drawing without .svg>-<edge>.argb" beside it), else drawn now by Qt's SVG image reader,
// which loads the SVG library on first use.
QImage draw(const QString& drawing, const QSize& size) {
    if (size.width() == size.height() && drawing.endsWith(QLatin1String(".svg"))) {
        const QResource ahead(drawing.chopped(4) + QStringLiteral("-%1.argb").arg(size.width()));
        const QByteArray pixels = ahead.uncompressedData();
        if (pixels.size() == qsizetype(size.width()) * size.height() * 4) {
            QImage image(size, QImage::Format_ARGB32_Premultiplied);
            std::memcpy(image.bits(), pixels.constData(), static_cast<std::size_t>(pixels.size()));
            return image;
        }
    }
    QImageReader reader(drawing, "svg");
    reader.setScaledSize(size);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Whether the build drew `drawing` ahead at some edge: then the drawing reads, and finding that
// out loads no SVG library.
bool drawnAhead(const QString& drawing) {
    if (!drawing.endsWith(QLatin1String(".svg")))
        return false;
    const QString stem = drawing.chopped(4);
    const qsizetype folderEnd = stem.lastIndexOf(QLatin1Char('/')) + 1;
    const QString prefix = stem.mid(folderEnd) + QLatin1Char('-');
    // Matched by hand: a name filter would compile a regular expression (and load its library).
    const QStringList names = QDir(stem.left(folderEnd)).entryList(QDir::Files);
    return std::any_of(names.cbegin(), names.cend(), [&prefix](const QString& name) {
        return name.startsWith(prefix) && name.endsWith(QLatin1String(".argb"));
    });
}

} // namespace

ProgramIconEngine::ProgramIconEngine(const QString& drawing) : drawn_(std::make_shared<Drawn>()) {
    drawn_->drawing = drawing;
}

QPixmap ProgramIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
    if (size.isEmpty())
        return {};
    const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
    if (const auto found = drawn_->pixmaps.constFind(key); found != drawn_->pixmaps.cend())
        return *found;
    QImage image = draw(drawn_->drawing, size);
    if (image.size() != size)
        return {};
    const QPixmap pixmap = QPixmap::fromImage(std::move(image)); // no second copy
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
    if (!drawn_->readable)
        drawn_->readable =
            drawnAhead(drawn_->drawing) || QImageReader(drawn_->drawing, "svg").canRead();
    return !*drawn_->readable;
}

} // namespace qm
