// The group box frame's picture, put in the pixmap cache ahead, is found there by the style's
// own loading: the frames are drawn as before without any image format plugin being loaded.

#include "gui/style/StylePixmaps.h"

#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QPixmap>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace qm;

namespace {

const QString FramePicture =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

bool ImagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

TEST(StylePixmaps, FramePictureFoundInTheCacheWithoutImagePlugins) {
    if (!QFile::exists(FramePicture))
        GTEST_SKIP() << "this Qt has no group box frame picture";
    if (ImagePluginLoaded())
        GTEST_SKIP() << "an image format plugin was loaded before the test";
    WarmStylePixmaps();
    WarmStylePixmaps(); // again: found, nothing read twice
    // The style's way: a picture file given to QPixmap; and a group box drawn.
    const QPixmap byStyle(FramePicture);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QGroupBox(QStringLiteral("Funds"));
    new QVBoxLayout(box);
    layout->addWidget(box);
    window.resize(200, 120);
    const QImage drawn = window.grab().toImage();
    EXPECT_FALSE(drawn.isNull());
    EXPECT_FALSE(ImagePluginLoaded());

    // The very picture, pixel for pixel.
    QImageReader reader(FramePicture, "png");
    const QImage read = reader.read();
    ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(byStyle.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              read.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

} // namespace
