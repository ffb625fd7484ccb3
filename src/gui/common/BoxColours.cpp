#include "gui/common/BoxColours.h"

#include <QComboBox>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QWidget>

namespace qm {

namespace {

// The mark a box carries, read by the window's style sheet.
const char* const MarkProperty = "qmBox";
const QLatin1String InputMark("input");
const QLatin1String ResultMark("result");

// Black text on every box colour: 19.6:1 on yellow, 16.5:1 on light green; dark grey on the
// grey of a disabled box, 6.5:1.
const QLatin1String Yellow("rgb(255, 255, 0)");
const QLatin1String LightGreen("rgb(128, 255, 128)");
const QLatin1String Text("rgb(0, 0, 0)");
const QLatin1String DisabledBackground("rgb(230, 230, 230)");
const QLatin1String DisabledText("rgb(80, 80, 80)");

QString rule(const QString& selector, const QString& background, const QString& text) {
    return QStringLiteral("%1 { background-color: %2; color: %3; }")
        .arg(selector, background, text);
}

// The rules for the boxes with `mark`. A list's rules name the list and its own line edit only:
// the opened list draws its items as an item view does, in its own (the theme's) colours.
QString rulesFor(QLatin1String mark, const QString& background) {
    const QString line = QStringLiteral("QLineEdit[qmBox=\"%1\"]").arg(mark);
    const QString list = QStringLiteral("QComboBox[qmBox=\"%1\"]").arg(mark);
    const QString label = QStringLiteral("QLabel[qmBox=\"%1\"]").arg(mark);
    return rule(line, background, Text) +
           rule(line + QLatin1String(":disabled"), DisabledBackground, DisabledText) +
           rule(list, background, Text) +
           rule(list + QLatin1String(":disabled"), DisabledBackground, DisabledText) +
           rule(list + QLatin1String(" > QLineEdit"), background, Text) +
           rule(list + QLatin1String(" > QLineEdit:disabled"), DisabledBackground, DisabledText) +
           rule(label, background, Text);
}

const QString& BoxSheet() {
    static const QString sheet = rulesFor(InputMark, Yellow) + rulesFor(ResultMark, LightGreen);
    return sheet;
}

} // namespace

void PaintBox(QWidget* box, BoxColour colour) {
    if (auto* list = qobject_cast<QComboBox*>(box)) {
        // Drawn as menu items, the opened list's items would take the list's black text and,
        // highlighted, its yellow.
        if (!qobject_cast<QStyledItemDelegate*>(list->itemDelegate()))
            list->setItemDelegate(new QStyledItemDelegate(list));
    }
    const QString mark = colour == BoxColour::Input ? InputMark : ResultMark;
    if (box->property(MarkProperty).toString() == mark)
        return;
    box->setProperty(MarkProperty, mark);
    // A box already styled takes its new colour only when styled again.
    if (box->testAttribute(Qt::WA_WState_Polished)) {
        box->style()->unpolish(box);
        box->style()->polish(box);
        box->update();
    }
}

void PaintBoxesIn(QWidget* window) {
    window->setStyleSheet(BoxSheet());
}

} // namespace qm
