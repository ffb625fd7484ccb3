#pragma once

// The controls of a window that show text, and their items, measured for contrast.

#include "gui/common/Contrast.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace qmtest {

inline constexpr double Readable = 4.5; // WCAG AA for text
inline const QColor BoxYellow(255, 255, 0);
inline const QColor BoxGreen(128, 255, 128);

// The visible controls of `root` that show text: boxes, lists and non-empty captions (a list's
// own line edit is measured with its list).
inline std::vector<QWidget*> TextControls(QWidget* root) {
    std::vector<QWidget*> out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        if (qobject_cast<QComboBox*>(w))
            out.push_back(w);
        else if (auto* edit = qobject_cast<QLineEdit*>(w);
                 edit && !qobject_cast<QComboBox*>(edit->parentWidget()))
            out.push_back(w);
        else if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            out.push_back(w);
    }
    return out;
}

// Item `row` of an item view, measured where the view shows it.
inline TextContrast MeasureItem(QAbstractItemView* view, int row) {
    const QRect item = view->visualRect(view->model()->index(row, 0)).adjusted(2, 1, -2, -1);
    return MeasureText(view->viewport()->grab().toImage(), item);
}

// Opens `list` with its second item highlighted and measures its first two items; the opened
// list keeps the theme's colours. `where` names the place in failure output.
inline void ExpectOpenedListReads(QComboBox* list, const std::string& where) {
    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(1, 0));
    QApplication::processEvents();
    for (int row : {0, 1}) {
        const TextContrast c = MeasureItem(list->view(), row);
        EXPECT_GE(c.ratio, Readable)
            << where << " item " << row << " of " << Describe(list, c).toStdString();
        EXPECT_NE(c.background, BoxYellow)
            << where << " item " << row << " of " << list->objectName().toStdString();
    }
    list->hidePopup();
}

} // namespace qmtest
