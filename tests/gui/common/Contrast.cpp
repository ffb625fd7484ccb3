#include "gui/common/Contrast.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>

namespace qmtest {

namespace {

double channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(QColor color) {
    return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) +
           0.0722 * channel(color.blue());
}

double ContrastRatio(QColor a, QColor b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TextContrast MeasureText(const QImage& image, QRect area) {
    const double ratio = image.devicePixelRatio();
    const QRect pixels = QRect(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)),
                               QSize(qRound(area.width() * ratio), qRound(area.height() * ratio)))
                             .intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    TextContrast out;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            out.background = QColor::fromRgb(it.key());
        }
    }
    out.text = out.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double r = ContrastRatio(QColor::fromRgb(it.key()), out.background);
        if (r > out.ratio) {
            out.ratio = r;
            out.text = QColor::fromRgb(it.key());
        }
    }
    return out;
}

QRect TextArea(QWidget* widget) {
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = list->isEditable();
        option.subControls = QStyle::SC_All;
        return list->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
            .adjusted(1, 1, -1, -1);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
        return edit->rect().adjusted(frame + 1, frame + 1, -frame - 1, -frame - 1);
    }
    return widget->contentsRect();
}

TextContrast MeasureWidget(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    return MeasureText(image, TextArea(widget));
}

namespace {

QPalette themePalette(QColor window, QColor windowText, QColor base, QColor text, QColor highlight,
                      QColor highlightedText, QColor disabledText) {
    QPalette p(windowText, window, window.lighter(130), window.darker(130), window.darker(110),
               text, base);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, windowText);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, windowText);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, highlightedText);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText);
    return p;
}

} // namespace

// The themes are readable in their own colours (their highlighted text too, which the style's
// standard light palette is not), so what the tests measure is what the program adds.
QPalette LightPalette() {
    QPalette p = QApplication::style()->standardPalette();
    p.setColor(QPalette::Highlight, QColor(0, 84, 166));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette DarkPalette() {
    return themePalette(QColor(49, 54, 59), QColor(239, 240, 241), QColor(35, 38, 41),
                        QColor(239, 240, 241), QColor(30, 90, 150), QColor(255, 255, 255),
                        QColor(150, 150, 150));
}

QPalette HighContrastPalette() {
    return themePalette(Qt::black, Qt::white, Qt::black, Qt::white, QColor(26, 235, 255), Qt::black,
                        QColor(63, 242, 63));
}

ThemeScope::ThemeScope(const QPalette& palette) : previous_(QApplication::palette()) {
    QApplication::setPalette(palette);
}

ThemeScope::~ThemeScope() {
    QApplication::setPalette(previous_);
}

QString Describe(const QWidget* widget, const TextContrast& c) {
    return QStringLiteral("%1 (%2): text %3 on %4, %5:1")
        .arg(widget->objectName(), QString::fromLatin1(widget->metaObject()->className()),
             c.text.name(), c.background.name(), QString::number(c.ratio, 'f', 2));
}

} // namespace qmtest
