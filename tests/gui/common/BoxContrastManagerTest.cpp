// Every box, list and caption of the investment manager reads in a light, a dark and a
// high-contrast desktop theme: its text measured against its background on the drawn window.

#include "gui/common/TextControls.h"
#include "gui/manager/ManagerWindowFixture.h"

#include <QListWidget>
#include <optional>

using namespace qmtest;

namespace {

class ManagerContrast : public ManagerWindowTest, public ::testing::WithParamInterface<Theme> {
protected:
    void SetUp() override {
        theme.emplace(GetParam().palette()); // before the windows are made
        ManagerWindowTest::SetUp();
    }
    void TearDown() override {
        ManagerWindowTest::TearDown();
        theme.reset();
    }

    // Measures every control of the tab shown; empty boxes get a figure to show first.
    void measureShown(const std::string& where) {
        QApplication::processEvents();
        for (QWidget* w : TextControls(window)) {
            if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->text().isEmpty())
                edit->setText(QStringLiteral("1,234.5678"));
            if (auto* list = qobject_cast<QComboBox*>(w); list && list->currentText().isEmpty())
                list->setEditText(QStringLiteral("Bought"));
            const TextContrast c = MeasureWidget(w);
            EXPECT_GE(c.ratio, Readable) << where << ": " << Describe(w, c).toStdString();
            yellow += c.background == BoxYellow;
            disabled += !w->isEnabled() && qobject_cast<QLineEdit*>(w) &&
                        c.background == QColor(230, 230, 230);
        }
    }

    std::optional<ThemeScope> theme;
    int yellow = 0, disabled = 0;
};

TEST_P(ManagerContrast, EveryTabAndListReads) {
    fundWith(QStringLiteral("S&P 500 Index"),
             {{"Bought", "1/5/2024{Enter}20{Enter}50{Enter}{Enter}"}});
    fundWith(QStringLiteral("Bonds"), {{"Bought", "1/6/2024{Enter}10{Enter}30{Enter}{Enter}"}});

    // Record entry: the fund and type lists, the date and amount boxes (grey until a type is
    // chosen), and both lists opened.
    measureShown("entry tab, no type chosen");
    EXPECT_GE(disabled, 1) << "a box that cannot be used now is grey";
    EXPECT_EQ(choose("ETransType", QStringLiteral("Cash Dividend")), QStringList());
    measureShown("entry tab");
    ExpectOpenedListReads(get<QComboBox>("EFunds"), "entry tab");
    ExpectOpenedListReads(get<QComboBox>("ETransType"), "entry tab");
    EXPECT_GE(yellow, 4);
    // Correcting a record: its type cannot change, so the type list turns grey.
    EXPECT_EQ(click("ECorrectRec", {QStringLiteral("number:1")}), QStringList());
    ASSERT_FALSE(get("ETransType")->isEnabled());
    disabled = 0;
    measureShown("entry tab, correcting");
    const TextContrast type = MeasureWidget(get("ETransType"));
    EXPECT_EQ(type.background, QColor(230, 230, 230))
        << Describe(get("ETransType"), type).toStdString();

    // The fund display: its list of funds, one of them selected.
    EXPECT_EQ(clickTab(3), QStringList());
    measureShown("display tab");
    auto* funds = get<QListWidget>("DDispFunds");
    ASSERT_GE(funds->count(), 2);
    funds->setCurrentRow(1);
    for (int row : {0, 1}) {
        const TextContrast c = MeasureItem(funds, row);
        EXPECT_GE(c.ratio, Readable)
            << "fund list row " << row << ": " << Describe(funds, c).toStdString();
    }

    // Current value: the fund names and their price boxes.
    yellow = 0;
    EXPECT_EQ(clickTab(4), QStringList());
    measureShown("current value tab");
    EXPECT_GE(yellow, 2);
}

INSTANTIATE_TEST_SUITE_P(Themes, ManagerContrast, ::testing::ValuesIn(Themes),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
