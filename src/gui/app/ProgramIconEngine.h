#pragma once

#include <QIconEngine>
#include <QString>
#include <memory>

namespace qm {

// Draws the program's icon from its built-in drawing at the size asked for, when it is asked
// for: nothing is drawn before a window or the start menu wants a pixmap, and each size is drawn
// once (copies of the icon share what was drawn). It has no fixed sizes: a window system asking
// for the sizes it prefers gets each drawn sharp. Sizes the build drew ahead (the start menu's
// logo) are shown from those pixels; any other size is drawn through Qt's SVG image reader.
class ProgramIconEngine : public QIconEngine {
public:
    explicit ProgramIconEngine(const QString& drawing);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    struct Drawn;
    std::shared_ptr<Drawn> drawn_;
};

} // namespace qm
