#pragma once

class QWidget;

namespace qm {

// The two colours of the program's boxes: yellow for a box or list to type into or choose from,
// light green for a figure the program worked out (a result, or the mortgage box it solves for).
enum class BoxColour { Input, Result };

// Marks `box` (a line edit, a drop-down list or a label) to be painted in `colour` with black
// text by the style sheet of its window (PaintBoxesIn), so that it reads the same in any desktop
// theme; a disabled line edit or list turns grey with dark grey text. The opened list of a
// drop-down, its highlighted item, selected text and everything around the box keep the theme's
// colours. A box already shown is repainted at once when its colour changes.
void PaintBox(QWidget* box, BoxColour colour);

// Sets on `window` the one style sheet that paints the boxes PaintBox marked in it, and nothing
// else: every rule selects a box by its mark.
void PaintBoxesIn(QWidget* window);

} // namespace qm
