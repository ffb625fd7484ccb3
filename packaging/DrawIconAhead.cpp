// Draws the program's icon from its SVG drawing at the given edges, the way the program draws
// it (Qt's SVG image reader), into files of raw premultiplied ARGB pixels (edge x edge, 4 bytes
// each, the machine's byte order) that are built into the program: the start menu shows its
// logo from one of them without reading the drawing, so the SVG library is not loaded before
// the menu's first frame.
// Usage: qm_draw_icon_ahead DRAWING.svg OUTPUT_STEM EDGE...  (writes OUTPUT_STEM-EDGE.argb)
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s DRAWING.svg OUTPUT_STEM EDGE...\n", argv[0]);
        return 2;
    }
    const QGuiApplication application(argc, argv);
    const QString drawing = QString::fromLocal8Bit(argv[1]);
    const QString stem = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int edge = std::atoi(argv[i]);
        if (edge <= 0 || edge > 1024) {
            std::fprintf(stderr, "%s: bad edge %s\n", argv[0], argv[i]);
            return 2;
        }
        QImageReader reader(drawing, "svg");
        reader.setScaledSize(QSize(edge, edge));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (image.size() != QSize(edge, edge)) {
            std::fprintf(stderr, "%s: cannot draw %s at %d pixels: %s\n", argv[0], argv[1], edge,
                         qPrintable(reader.errorString()));
            return 1;
        }
        QFile out(QStringLiteral("%1-%2.argb").arg(stem).arg(edge));
        const qsizetype bytes = qsizetype(edge) * edge * 4;
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(out.fileName()));
            return 1;
        }
    }
    return 0;
}
