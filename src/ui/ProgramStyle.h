#pragma once

#include <QProxyStyle>

namespace qm {

// The program's widget style: the desktop's own, except that each look of a scroll bar is drawn
// once and then copied from the pixmap cache. Qt's painting splits any fill of more than a
// hundred or so scan lines (a scroll bar's groove, its edge lines) into parts handed to worker
// threads and waits for them; for a scroll bar that waiting costs some ten times the drawing.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    ProgramStyle();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

// Makes a ProgramStyle the application's style; once the application object is made.
void UseProgramStyle();

} // namespace qm
