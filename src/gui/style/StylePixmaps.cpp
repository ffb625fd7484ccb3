#include "gui/style/StylePixmaps.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>

namespace qm {

namespace {

// `value` as QPixmap's file cache keys spell numbers: each byte in memory order, its low hex
// digit first.
template <typename T> QString hexOf(T value) {
    static constexpr char digits[] = "0123456789abcdef";
    QString out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out += QLatin1Char(digits[bytes[i] & 0xf]);
        out += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return out;
}

// The key under which QPixmap's file loading caches (and looks for) the picture in `file`.
QString fileCacheKey(const QFileInfo& file) {
    constexpr uint pixmapType = 0; // a pixmap, not a bitmap
    return QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
           hexOf(uint(file.lastModified().toSecsSinceEpoch())) + hexOf(quint64(file.size())) +
           hexOf(pixmapType);
}

} // namespace

void WarmStylePixmaps() {
    const QFileInfo frame(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    const QString key = fileCacheKey(frame);
    QPixmap cached;
    if (!frame.exists() || QPixmapCache::find(key, &cached))
        return;
    QImageReader reader(frame.filePath(), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage picture = reader.read();
    if (!picture.isNull())
        QPixmapCache::insert(key, QPixmap::fromImage(picture));
}

} // namespace qm
