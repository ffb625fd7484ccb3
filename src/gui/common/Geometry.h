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

// Whether the program places its own windows: not on Wayland, where the compositor places every
// top-level window, a dialog knowing the window it is transient for (its parent).
bool ProgramPlacesWindows();

// Moves `dialog` so its top-left corner is (dxTwips, dyTwips) from that of the work window. Where
// the program does not place its windows (ProgramPlacesWindows), it is left where it is shown.
void PlaceFromWorkWindow(QWidget* dialog, int dxTwips, int dyTwips);

} // namespace qm
