#pragma once

#include <QPoint>
#include <QWidget>

namespace qm {

// Twips (1/1440 inch) to pixels by the screen's logical resolution.
int TwipsToPixelsX(int twips, const QWidget* onScreenOf = nullptr);
int TwipsToPixelsY(int twips, const QWidget* onScreenOf = nullptr);

// The work window now open (the calculator window or the manager), or null.
QWidget* CurrentWorkWindow();
void SetCurrentWorkWindow(QWidget* window);

// Moves `dialog` so its top-left corner is (dxTwips, dyTwips) from that of the work window.
void PlaceFromWorkWindow(QWidget* dialog, int dxTwips, int dyTwips);

} // namespace qm
