#include "ui/BoxColours.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QWidget>

namespace qm {

namespace {

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

} // namespace

void PaintBox(QWidget* box, BoxColour colour) {
    const QString background = colour == BoxColour::Input ? Yellow : LightGreen;
    QString sheet;
    if (auto* list = qobject_cast<QComboBox*>(box)) {
        // The rules name the list and its own line edit only. The opened list draws its items
        // as an item view does, in its own (the theme's) colours: drawn as menu items they would
        // take the list's black text and, highlighted, its yellow.
        if (!qobject_cast<QStyledItemDelegate*>(list->itemDelegate()))
            list->setItemDelegate(new QStyledItemDelegate(list));
        sheet = rule(QStringLiteral("QComboBox"), background, Text) +
                rule(QStringLiteral("QComboBox:disabled"), DisabledBackground, DisabledText) +
                rule(QStringLiteral("QComboBox > QLineEdit"), background, Text) +
                rule(QStringLiteral("QComboBox > QLineEdit:disabled"), DisabledBackground,
                     DisabledText);
    } else if (qobject_cast<QLineEdit*>(box)) {
        sheet = rule(QStringLiteral("QLineEdit"), background, Text) +
                rule(QStringLiteral("QLineEdit:disabled"), DisabledBackground, DisabledText);
    } else {
        sheet = rule(QStringLiteral("QLabel"), background, Text);
    }
    box->setStyleSheet(sheet);
}

} // namespace qm
