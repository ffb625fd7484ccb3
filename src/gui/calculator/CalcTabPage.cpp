#include "gui/calculator/CalcTabPage.h"

#include "core/calculators/BoxTable.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/InputBox.h"
#include "gui/common/WindowLayout.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qm {

namespace {

bool contains(const std::vector<QWidget*>& widgets, const QWidget* widget) {
    return std::find(widgets.begin(), widgets.end(), widget) != widgets.end();
}

QString frameName(CalcTab tab) {
    return QStringLiteral("FrameAll(%1)").arg(static_cast<int>(tab));
}

} // namespace

CalcTabPage::CalcTabPage(CalcTab tab, const QString& prefix, QMInvest& window, QWidget* parent)
    : QFrame(parent), window_(window), grid_(new QGridLayout), tab_(tab), prefix_(prefix) {
    setObjectName(frameName(tab));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid_);
    grid_->setHorizontalSpacing(12);
}

InputBox* CalcTabPage::addBox(const char* name, const QString& label, QLabel** labelOut) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* box = new InputBox(name, window_, this);
    box->setFont(FixedPitchFont());
    FitToColumns(box, DisplayColumns(box->objectName()));
    // Figures end at the right edge, also in a box wider than its figure (a box whose kind
    // follows an option is as wide as its widest form).
    if (box->rule().kind != BoxKind::Text)
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NameAfterLabel(caption, box);
    grid_->addWidget(caption, row_, 0, LabelAlignment);
    grid_->addWidget(box, row_, 1, FieldAlignment);
    ++row_;
    inputs_.push_back(box);
    if (labelOut)
        *labelOut = caption;
    return box;
}

ChoiceList* CalcTabPage::addList(const char* name, const QString& label) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* list = new ChoiceList(name, window_, this);
    NameAfterLabel(caption, list);
    grid_->addWidget(caption, row_, 0, LabelAlignment);
    grid_->addWidget(list, row_, 1, FieldAlignment);
    ++row_;
    inputs_.push_back(list);
    return list;
}

QRadioButton* CalcTabPage::addOption(QButtonGroup* group, int id, const QString& name,
                                     const QString& caption, QWidget* parent) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    group->addButton(option, id);
    options_.push_back(option);
    if (std::find(groups_.begin(), groups_.end(), group) == groups_.end())
        groups_.push_back(group);
    return option;
}

QRadioButton* CalcTabPage::addOptionPair(const QString& frameCaption, const QString& arrayName,
                                         const QString& caption0, const QString& caption1,
                                         std::function<void()> onClick) {
    auto* frame = new QGroupBox(frameCaption, this);
    auto* body = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    QRadioButton* first = nullptr;
    for (int id : {0, 1}) {
        QRadioButton* option = addOption(group, id, QStringLiteral("%1(%2)").arg(arrayName).arg(id),
                                         id == 0 ? caption0 : caption1, frame);
        body->addWidget(option);
        connect(option, &QRadioButton::clicked, this, onClick);
        if (id == 0)
            first = option;
    }
    grid_->addWidget(frame, row_++, 0, 1, 2);
    return first;
}

std::vector<QWidget*> CalcTabPage::focusChain() const {
    std::vector<QWidget*> chain;
    // Where Enter goes from each box and list, up to the Calculate button.
    QWidget* next = inputs_.empty() ? nullptr : inputs_.front();
    while (next && !contains(chain, next)) {
        chain.push_back(next);
        const char* target = nullptr;
        if (const auto* box = qobject_cast<const InputBox*>(next))
            target = box->rule().enterTarget;
        else if (const auto* list = qobject_cast<const ChoiceList*>(next))
            target = list->rule().enterTarget;
        next = target ? findChild<QWidget*>(QLatin1String(target)) : nullptr;
    }
    for (QWidget* input : inputs_) {
        if (!contains(chain, input))
            chain.push_back(input);
    }
    for (QPushButton* button : buttons_) {
        if (!contains(chain, button))
            chain.push_back(button);
    }
    chain.insert(chain.end(), options_.begin(), options_.end());
    return chain;
}

void CalcTabPage::addButtons() {
    auto* row = new QHBoxLayout;
    const struct {
        const char* suffix;
        const char* caption;
    } buttons[] = {{"Calculate", "&Calculate"}, {"Print", "&Print"}, {"Help", "&Help"}};
    for (const auto& b : buttons) {
        auto* button =
            NamedButton(prefix_ + QLatin1String(b.suffix), QLatin1String(b.caption), this);
        row->addWidget(button);
        buttons_.push_back(button);
        const QString suffix = QLatin1String(b.suffix);
        connect(button, &QPushButton::clicked, this, [this, suffix] {
            if (suffix == QLatin1String("Calculate"))
                window_.calculateClicked(tab_);
            else if (suffix == QLatin1String("Print"))
                window_.printClicked();
            else
                window_.helpClicked(tab_);
        });
    }
    row->addStretch();
    // The grid keeps its natural width; a wider frame leaves the room on the right.
    grid_->setColumnStretch(grid_->columnCount(), 1);
    static_cast<QVBoxLayout*>(layout())->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    for (QButtonGroup* group : groups_)
        TabToSelectedOption(group);
}

void CalcTabPage::loadBoxDefaults(int choice) {
    for (const BoxDefault& d : DefaultsFor(tab_, choice)) {
        if (InputBox* target = box(d.box))
            target->setValue(d.value);
    }
}

InputBox* CalcTabPage::box(const char* name) const {
    return findChild<InputBox*>(QLatin1String(name));
}

QString CalcTabPage::text(const char* name) const {
    return window_.controlText(QLatin1String(name));
}

void CalcTabPage::reserveWidth(QLabel* label, const QStringList& texts) {
    int width = 0;
    for (const QString& text : texts)
        width = std::max(width, label->fontMetrics().horizontalAdvance(text));
    label->setMinimumWidth(width);
}

} // namespace qm
