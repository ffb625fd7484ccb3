// Every box, list and caption of the calculator window reads in a light, a dark and a
// high-contrast desktop theme: its text measured against its background on the drawn window.

#include "gui/calculator/InvestFixture.h"
#include "gui/common/TextControls.h"

#include <optional>

using namespace qmtest;

namespace {

class CalculatorContrast : public InvestWindowTest, public ::testing::WithParamInterface<Theme> {
protected:
    void SetUp() override {
        theme.emplace(GetParam().palette()); // before the window is made
        InvestWindowTest::SetUp();
    }
    void TearDown() override {
        InvestWindowTest::TearDown();
        theme.reset();
    }
    std::optional<ThemeScope> theme;
};

TEST_P(CalculatorContrast, EveryTabReads) {
    auto* tabs = get<QTabBar>("SSTab1");
    int yellow = 0, green = 0;
    const auto measureTab = [&](const std::string& where) {
        QApplication::processEvents();
        for (QWidget* w : TextControls(window)) {
            const TextContrast c = MeasureWidget(w);
            EXPECT_GE(c.ratio, Readable) << where << ": " << Describe(w, c).toStdString();
            yellow += c.background == BoxYellow;
            green += c.background == BoxGreen;
        }
        for (QComboBox* list : window->findChildren<QComboBox*>()) {
            if (list->isVisible() && list->count() >= 2)
                ExpectOpenedListReads(list, where);
        }
    };
    for (int tab = 0; tab < tabs->count(); ++tab) {
        selectTab(tab);
        measureTab("tab " + std::to_string(tab));
    }
    // The mortgage tab solving for the principal: that box turns green and locked.
    selectTab(1);
    QTest::mouseClick(get("MTPrincipalOpt"), Qt::LeftButton);
    measureTab("solving for the principal");
    EXPECT_EQ(MeasureWidget(box("MTInPrincipal")).background, BoxGreen);
    // The yellow boxes and lists of six tabs, and the mortgage tab's green results.
    EXPECT_GE(yellow, 25);
    EXPECT_GE(green, 8);
}

INSTANTIATE_TEST_SUITE_P(Themes, CalculatorContrast, ::testing::ValuesIn(Themes),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
