#pragma once

class QWidget;

namespace qm {

// The two colours of the program's boxes: yellow for a box or list to type into or choose from,
// light green for a figure the program worked out (a result, or the mortgage box it solves for).
enum class BoxColour { Input, Result };

// Paints `box` (a line edit, a drop-down list or a label) in `colour` with black text, so that
// it reads the same in any desktop theme; a disabled line edit or list turns grey with dark
// grey text. The opened list of a drop-down, its highlighted item, selected text and everything
// around the box keep the theme's colours.
void PaintBox(QWidget* box, BoxColour colour);

} // namespace qm
