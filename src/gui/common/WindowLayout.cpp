#include "gui/common/WindowLayout.h"

#include "gui/common/AccessibleList.h"
#include "gui/common/CommandGate.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QtMath>

namespace qm {

namespace {

// The blank a line edit keeps on each side of its text (as the line edit itself lays out).
constexpr int LineEditTextMargin = 2;

} // namespace

QFont FixedPitchFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

int LineEditWidth(const QLineEdit* edit, int columns) {
    const QFontMetricsF metrics(edit->font());
    const QMargins text = edit->textMargins();
    // The characters, the line edit's own margins, and room for the cursor after the last one.
    const int inner = qCeil(metrics.horizontalAdvance(QString(columns, QLatin1Char('0')))) +
                      2 * LineEditTextMargin + text.left() + text.right() + 2;
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QSize size = edit->style()->sizeFromContents(
        QStyle::CT_LineEdit, &option, QSize(inner, edit->sizeHint().height()), edit);
    return size.width();
}

void FitToColumns(QLineEdit* edit, int columns) {
    edit->setFixedWidth(LineEditWidth(edit, columns));
}

int TextBoxWidth(const QPlainTextEdit* box, int columns) {
    const QFontMetricsF metrics(box->font());
    const qreal text = metrics.horizontalAdvance(QString(columns, QLatin1Char('0')));
    // The document's margins on both sides and the cursor after the last character.
    const qreal document = 2 * box->document()->documentMargin() + box->cursorWidth() + 1;
    const int frame = 2 * box->frameWidth();
    const int scrollBar = box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box);
    return qCeil(text + document) + frame + scrollBar;
}

QPlainTextEdit* PageBox(const QString& name, int columns, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(QStringLiteral("Results"));
    box->setReadOnly(true);
    // Tab moves on from the page rather than into it.
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = FixedPitchFont();
    font.setStyleStrategy(QFont::PreferNoShaping); // as most pages are shown (see ShowPage)
    box->setFont(font);
    box->setMinimumWidth(TextBoxWidth(box, columns));
    return box;
}

void LayOutHiddenPage(QStackedWidget* stack, QWidget* page) {
    if (page->isVisible())
        return;
    page->ensurePolished();
    if (QWidget* shown = stack->currentWidget(); shown && shown != page)
        page->setGeometry(shown->geometry());
    if (QLayout* layout = page->layout())
        layout->activate();
}

void ChooseOpeningTab(QTabBar* tabs, QStackedWidget* frames, int tab) {
    {
        const QSignalBlocker quiet(tabs);
        tabs->setCurrentIndex(tab);
    }
    frames->setCurrentIndex(tab);
}

bool DrawsUnshaped(QStringView text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x0300) // Latin and the characters every script shares; no marks
            continue;
        if (ch.isSurrogate() || ch.isMark())
            return false;
        switch (ch.script()) {
        case QChar::Script_Common:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
            break;
        default:
            return false;
        }
    }
    return true;
}

void ShowPage(QPlainTextEdit* box, const QString& page) {
    QString shown = page;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QFont::StyleStrategy strategy =
        DrawsUnshaped(shown) ? QFont::PreferNoShaping : QFont::PreferDefault;
    if (box->font().styleStrategy() != strategy) {
        box->clear(); // the page shown so far is not laid out again in the other font
        QFont font = box->font();
        font.setStyleStrategy(strategy);
        box->setFont(font);
    }
    box->setPlainText(shown);
}

QPushButton* NamedButton(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    // Enter on the focused button presses it, and its access key leaves the box being edited
    // first, as a click does.
    CommandGate::install();
    return button;
}

QString SpokenCaption(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    return out.trimmed();
}

QString AsTyped(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&&"));
    return out;
}

void NameAfterLabel(QLabel* label, QWidget* control) {
    UseAccessibleInterfaces();
    // Given again, the buddy would have the label measure its text anew.
    if (label->buddy() != control)
        label->setBuddy(control);
    const QString name = SpokenCaption(label->text());
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
    // The drop-down of a list and the edit part of a list one types into are controls of their
    // own to a screen reader.
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        UseAccessibleList(list);
        list->view()->setAccessibleName(name);
        if (list->lineEdit())
            list->lineEdit()->setAccessibleName(name);
    }
}

void SetTabChain(const std::vector<QWidget*>& chain) {
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TabToSelectedOption(QButtonGroup* group) {
    // Only the selected option (the first while none is) takes the focus from the Tab key; a
    // click or an arrow key reaches the others.
    const auto update = [group] {
        QAbstractButton* stop = group->checkedButton();
        if (!stop && !group->buttons().isEmpty())
            stop = group->buttons().first();
        for (QAbstractButton* option : group->buttons())
            option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update();
    QObject::connect(group, &QButtonGroup::buttonToggled, group, update);
}

} // namespace qm
