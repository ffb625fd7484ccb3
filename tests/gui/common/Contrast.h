#pragma once

// Measures how well text reads on screen: the text of a widget against its background, from an
// image of the widget as it is drawn, under the desktop themes a user may run.

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>
#include <ostream>

class QWidget;

namespace qmtest {

// WCAG relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(QColor color);
// WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(QColor a, QColor b);

struct TextContrast {
    QColor background; // the most frequent colour of the area
    QColor text;       // the colour that stands out most against it
    double ratio = 1.0;
};

// Text against background inside `area` (logical pixels) of `image`.
TextContrast MeasureText(const QImage& image, QRect area);

// The area of `widget` where its text is drawn (inside the frame, left of a list's arrow).
QRect TextArea(QWidget* widget);

// Draws `widget` as it shows on screen and measures its text area.
TextContrast MeasureWidget(QWidget* widget);

// A desktop theme the tests run under.
struct Theme {
    const char* name;
    QPalette (*palette)();
};

inline void PrintTo(const Theme& theme, std::ostream* os) {
    *os << theme.name;
}

QPalette LightPalette();
QPalette DarkPalette();
QPalette HighContrastPalette();
inline const Theme Themes[] = {
    {"Light", LightPalette}, {"Dark", DarkPalette}, {"HighContrast", HighContrastPalette}};

// Sets the application's palette for its lifetime, as a desktop theme does before any window
// of the program is made; the previous palette comes back afterwards.
class ThemeScope {
public:
    explicit ThemeScope(const QPalette& palette);
    ~ThemeScope();
    ThemeScope(const ThemeScope&) = delete;
    ThemeScope& operator=(const ThemeScope&) = delete;

private:
    QPalette previous_;
};

// A line for failure output: what was measured, and where.
QString Describe(const QWidget* widget, const TextContrast& c);

} // namespace qmtest
