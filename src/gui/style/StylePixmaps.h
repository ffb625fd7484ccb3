#pragma once

namespace qm {

// Puts the picture the widget style draws group box frames from into the pixmap cache, read
// with its format named, unless the cache holds it already. Read the style's way (a picture
// file given to QPixmap), it is offered first to every image format plugin, which loads each
// plugin and the SVG library with one: about 0.6 MB and a few milliseconds that a window's
// first frame need not wait for. Called as a work window is shown; cheap when nothing is left
// to do.
void WarmStylePixmaps();

} // namespace qm
