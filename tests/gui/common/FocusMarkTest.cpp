// The focus mark of every kind of box and list stands out at least 3:1 from the same box
// without the keyboard, in a light, a dark and a high-contrast desktop theme.

#include "Contrast.h"

#include "gui/common/BoxColours.h"
#include "support/UiHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

class FocusMark : public ::testing::TestWithParam<Theme> {};

// How the mark stands out along the box's top and bottom edges: at each point the most a pixel of
// the four rows inside the edge changes (contrast of the box drawn with the keyboard against it
// drawn without), and the least of those along the edges.
double markContrast(const QImage& without, const QImage& with) {
    double lowest = 21.0;
    const int w = with.width(), h = with.height();
    for (int x = w / 4; x <= 3 * w / 4; x += 4) {
        for (const int edge : {0, h - 4}) {
            double most = 1.0;
            for (int y = edge; y < edge + 4; ++y)
                most =
                    std::max(most, ContrastRatio(without.pixelColor(x, y), with.pixelColor(x, y)));
            lowest = std::min(lowest, most);
        }
    }
    return lowest;
}

TEST_P(FocusMark, EveryBoxAndListShowsWhereTheKeyboardIs) {
    const ThemeScope theme(GetParam().palette());
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* away = new QPushButton(QStringLiteral("Away"), &window);
    layout->addWidget(away);

    struct Box {
        const char* what;
        QWidget* widget;
    };
    std::vector<Box> boxes;
    const auto add = [&](const char* what, QWidget* w) {
        w->setMinimumSize(160, 26);
        layout->addWidget(w);
        boxes.push_back({what, w});
        return w;
    };
    PaintBox(add("yellow box", new QLineEdit(QStringLiteral("1,234.56"), &window)),
             BoxColour::Input);
    PaintBox(add("green box", new QLineEdit(QStringLiteral("7.5%"), &window)), BoxColour::Result);
    add("theme's box", new QLineEdit(QStringLiteral("Name"), &window));
    auto* list = new QComboBox(&window);
    list->addItems({QStringLiteral("Bought"), QStringLiteral("Sold")});
    PaintBox(add("yellow list", list), BoxColour::Input);
    auto* typed = new QComboBox(&window);
    typed->setEditable(true);
    typed->addItem(QStringLiteral("Cedar Fund"));
    PaintBox(add("yellow list to type in", typed), BoxColour::Input);
    add("theme's list", new QComboBox(&window));
    auto* results = new QPlainTextEdit(QStringLiteral("Results"), &window);
    results->setReadOnly(true);
    add("results box", results)->setMinimumHeight(80);
    auto* funds = new QListWidget(&window);
    funds->addItem(QStringLiteral("Cedar Fund"));
    add("list of funds", funds)->setMinimumHeight(80);
    PaintBoxesIn(&window);

    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const Box& box : boxes) {
        away->setFocus();
        QApplication::processEvents();
        const QImage without = box.widget->grab().toImage();
        box.widget->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(box.widget->hasFocus()) << box.what;
        const QImage with = box.widget->grab().toImage();
        EXPECT_GE(markContrast(without, with), 3.0) << box.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, FocusMark, ::testing::ValuesIn(Themes),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
