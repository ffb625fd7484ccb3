// A picture kept with its repeated lines cut short draws back exactly as the picture.

#include "gui/style/RepeatedLines.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <functional>
#include <gtest/gtest.h>

using namespace qm;

namespace {

// A transparent picture of `size` logical pixels at `ratio`, painted by `paint`.
QImage Picture(QSize size, int ratio, const std::function<void(QPainter&)>& paint) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

// `picture` drawn at (3, 5) on a canvas of a colour it does not use, whole or from `cut`.
QImage DrawnOnCanvas(const QImage& picture, const RepeatedLines* lines, const QImage& cut) {
    QImage canvas(picture.size() + QSize(10, 10) * picture.devicePixelRatio(),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(picture.devicePixelRatio());
    canvas.fill(QColor(200, 100, 50));
    QPainter painter(&canvas);
    if (lines)
        lines->draw(painter, QPoint(3, 5), QPixmap::fromImage(cut));
    else
        painter.drawImage(QPoint(3, 5), picture);
    return canvas;
}

TEST(RepeatedLines, DrawsBackEveryPixelOfThePicture) {
    const auto frame = [](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 1.5));
        p.drawRoundedRect(QRectF(4.5, 20.5, 380, 260), 4, 4);
    };
    const auto filledFrame = [](QPainter& p) {
        p.setBrush(QColor(250, 250, 220));
        p.setPen(QColor(90, 90, 90));
        p.drawRoundedRect(QRectF(0.5, 0.5, 300, 200), 6, 6);
    };
    const auto bands = [](QPainter& p) {
        for (int y = 0; y < 300; y += 10)
            p.fillRect(QRect(0, y, 400, 5), QColor(y % 255, 40, 90));
    };
    const auto groove = [](QPainter& p) {
        p.fillRect(QRect(2, 0, 12, 600), QColor(220, 220, 220));
        p.fillRect(QRect(3, 250, 10, 80), QColor(120, 120, 120));
    };
    const auto gradient = [](QPainter& p) {
        QLinearGradient shade(0, 0, 300, 300);
        shade.setColorAt(0, Qt::white);
        shade.setColorAt(1, Qt::darkBlue);
        p.fillRect(QRect(0, 0, 300, 300), shade);
    };
    const struct {
        const char* what;
        QSize size;
        std::function<void(QPainter&)> paint;
        bool cut;
    } cases[] = {
        {"a frame with an empty middle", {400, 300}, frame, true},
        {"a filled frame", {320, 220}, filledFrame, true},
        {"only columns alike", {400, 300}, bands, true},
        {"a scroll bar's groove", {16, 600}, groove, true},
        {"nothing alike", {300, 300}, gradient, false},
        {"too small to cut", {30, 30}, frame, false},
    };
    for (const auto& c : cases) {
        for (const int ratio : {1, 2}) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(ratio));
            const QImage picture = Picture(c.size, ratio, c.paint);
            const RepeatedLines lines = RepeatedLines::Find(picture);
            ASSERT_EQ(lines.cuts(), c.cut);
            if (!c.cut)
                continue;
            const QImage cut = lines.cut(picture);
            EXPECT_LT(cut.sizeInBytes(), picture.sizeInBytes());
            EXPECT_EQ(DrawnOnCanvas(picture, &lines, cut), DrawnOnCanvas(picture, nullptr, {}));
        }
    }
}

} // namespace
