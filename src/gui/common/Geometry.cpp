#include "gui/common/Geometry.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace qm {

namespace {

QPointer<QWidget>& workWindowPointer() {
    static QPointer<QWidget> window;
    return window;
}

QScreen* screenOf(const QWidget* widget) {
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

int convert(int twips, double dpi) {
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

} // namespace

int TwipsToPixelsX(int twips, const QWidget* onScreenOf) {
    const QScreen* screen = screenOf(onScreenOf);
    return convert(twips, screen ? screen->logicalDotsPerInchX() : 96.0);
}

int TwipsToPixelsY(int twips, const QWidget* onScreenOf) {
    const QScreen* screen = screenOf(onScreenOf);
    return convert(twips, screen ? screen->logicalDotsPerInchY() : 96.0);
}

QWidget* CurrentWorkWindow() {
    return workWindowPointer().data();
}

void SetCurrentWorkWindow(QWidget* window) {
    workWindowPointer() = window;
}

bool ProgramPlacesWindows() {
    // A Wayland client cannot place its top-level windows: the compositor does.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void PlaceFromWorkWindow(QWidget* dialog, int dxTwips, int dyTwips) {
    const QWidget* reference = CurrentWorkWindow();
    if (!reference || !ProgramPlacesWindows())
        return;
    const QPoint origin = reference->frameGeometry().topLeft();
    dialog->move(origin +
                 QPoint(TwipsToPixelsX(dxTwips, reference), TwipsToPixelsY(dyTwips, reference)));
}

} // namespace qm
