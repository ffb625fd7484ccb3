#pragma once

#include "gui/style/RepeatedLines.h"

#include <QHash>
#include <QProxyStyle>

namespace qm {

// The program's widget style: the desktop's own, drawn so that Qt's painting keeps its fills on
// the thread that paints. Qt splits any fill of more than a hundred or so scan lines (a scroll
// bar's groove, the edges of a tall group box) into parts handed to worker threads and waits for
// them; for a scroll bar that waiting costs some ten times the drawing. Each look of a scroll bar
// is drawn once and then copied from the pixmap cache under the style's own keys ("qm-..."), as
// is each look of a line edit's frame and of a tab's shape (smoothed rounded corners, which cost
// more than the rest of the box or tab). A group box's frame is drawn in bands each time. A tall
// look is kept with its long runs of alike lines cut short (RepeatedLines): a scroll bar's groove
// would otherwise take as much memory as a picture of the whole bar.
//
// The one rule: a look's cache key names everything its drawing depends on (CacheKey), and a
// look the base style may draw from more than its option is not copied.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Whether scroll bars, frames and tab shapes are copied from the cache: in the Fusion style,
    // which draws them from their options (and, for a group box, its title and check box).
    bool copiesFromCache() const;
    // How many looks were drawn to be kept in the cache (the others were copied from it).
    int drawnAnew() const { return kept_.drawnAnew; }
    // While on, draws each control that is not in the active window in the colours of a shown
    // window that is not active. A hidden window is drawn in the active colours; a work window
    // drawn ahead while hidden turns this on, so that what it leaves in the cache is what its
    // first frame on the screen, drawn before it is made the active window, copies.
    void setDrawingAsShown(bool on) { asShown_ = on; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // What the style keeps beside the pixmap cache.
    struct Kept {
        int drawnAnew = 0;
        QHash<QString, RepeatedLines> lines; // by cache key: the looks kept cut
    };

private:
    mutable Kept kept_;
    bool asShown_ = false;
};

// The focus mark of a box or list, drawn by the style on top of the desktop style's own (which on
// a yellow or green box is too faint to see): a ring two pixels wide, `inset` pixels inside the
// option's rect, over the box's `background`, in its text colour (which reads on that
// background; where it would not stand out 3:1, black or white, whichever does). Nothing without
// the keyboard's focus or when disabled.
void DrawFocusMark(QPainter& painter, const QStyleOption& option, const QColor& background,
                   double inset = 2.0);

// Makes a ProgramStyle the application's style; once the application object is made.
void UseProgramStyle();

} // namespace qm
