#include "gui/style/RepeatedLines.h"

#include <QPainter>
#include <QPixmap>
#include <cstring>

namespace qm {

namespace {

// Below this a picture is kept whole: cutting it would save little and cost more draws.
constexpr qsizetype CutFromBytes = 16 * 1024;

} // namespace

RepeatedLines::Run RepeatedLines::LongestRun(int lines,
                                             const std::function<bool(int, int)>& alike) {
    Run best;
    for (int start = 0; start < lines;) {
        int end = start + 1;
        while (end < lines && alike(start, end))
            ++end;
        if (end - start > best.length)
            best = {start, end - start};
        start = end;
    }
    return best;
}

RepeatedLines RepeatedLines::Find(const QImage& picture) {
    RepeatedLines found;
    const int ratio = qRound(picture.devicePixelRatio());
    found.ratio_ = ratio;
    found.size_ = picture.size() / ratio;
    found.bytes_ = picture.sizeInBytes();
    if (picture.format() != QImage::Format_ARGB32_Premultiplied || ratio < 1 ||
        picture.width() % ratio != 0 || picture.height() % ratio != 0)
        return found;
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * 4;
    // Logical rows are alike when each of their device rows is.
    found.rows_ = LongestRun(found.size_.height(), [&](int a, int b) {
        for (int k = 0; k < ratio; ++k) {
            if (std::memcmp(picture.constScanLine(a * ratio + k),
                            picture.constScanLine(b * ratio + k), rowBytes) != 0)
                return false;
        }
        return true;
    });
    found.columns_ = LongestRun(found.size_.width(), [&](int a, int b) {
        for (int y = 0; y < picture.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int k = 0; k < ratio; ++k) {
                if (line[a * ratio + k] != line[b * ratio + k])
                    return false;
            }
        }
        return true;
    });
    if (!found.rows_.cut() || !found.columns_.cut())
        return found;
    // Where both runs cross, the tile drawn over the middle: left out when transparent.
    found.emptyMiddle_ = true;
    for (int y = found.rows_.start * ratio; y < (found.rows_.start + 1) * ratio; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = found.columns_.start * ratio; x < (found.columns_.start + 1) * ratio; ++x)
            found.emptyMiddle_ = found.emptyMiddle_ && qAlpha(line[x]) == 0;
    }
    return found;
}

bool RepeatedLines::cuts() const {
    return bytes_ > CutFromBytes && (rows_.cut() || columns_.cut());
}

std::vector<RepeatedLines::Stretch> RepeatedLines::Stretches(int length, const Run& run) {
    if (!run.cut())
        return {{0, length, 0, length}};
    std::vector<Stretch> stretches;
    if (run.start > 0)
        stretches.push_back({0, run.start, 0, run.start});
    stretches.push_back({run.start, run.length, run.start, run.tile()});
    const int after = run.start + run.length;
    if (after < length)
        stretches.push_back({after, length - after, run.start + run.tile(), length - after});
    return stretches;
}

QImage RepeatedLines::cut(const QImage& picture) const {
    const auto across = Stretches(size_.width(), columns_);
    const auto down = Stretches(size_.height(), rows_);
    const int width = across.back().kept + across.back().tile;
    const int height = down.back().kept + down.back().tile;
    QImage kept(QSize(width, height) * ratio_, QImage::Format_ARGB32_Premultiplied);
    kept.setDevicePixelRatio(ratio_);
    QPainter painter(&kept);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Stretch& row : down) {
        for (const Stretch& column : across) {
            const QRect source(QPoint(column.from, row.from) * ratio_,
                               QSize(column.tile, row.tile) * ratio_);
            painter.drawImage(QPoint(column.kept, row.kept), picture, source);
        }
    }
    return kept;
}

void RepeatedLines::draw(QPainter& painter, QPoint at, const QPixmap& cut) const {
    const auto across = Stretches(size_.width(), columns_);
    const auto down = Stretches(size_.height(), rows_);
    for (const Stretch& row : down) {
        for (const Stretch& column : across) {
            if (emptyMiddle_ && row.from == rows_.start && column.from == columns_.start)
                continue;
            // The kept lines, again and again until the stretch is full.
            for (int y = 0; y < row.length; y += row.tile) {
                const int h = std::min(row.tile, row.length - y);
                for (int x = 0; x < column.length; x += column.tile) {
                    const int w = std::min(column.tile, column.length - x);
                    const QRect source(QPoint(column.kept, row.kept) * ratio_,
                                       QSize(w, h) * ratio_);
                    painter.drawPixmap(at + QPoint(column.from + x, row.from + y), cut, source);
                }
            }
        }
    }
}

} // namespace qm
