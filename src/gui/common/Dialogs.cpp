#include "gui/common/Dialogs.h"

#include "core/input/KeyFilters.h"
#include "core/text/Messages.h"
#include "gui/common/AccessibleList.h"
#include "gui/common/AppState.h"
#include "gui/common/FilteredLineEdit.h"
#include "gui/common/Geometry.h"
#include "gui/common/WindowLayout.h"
#include "gui/common/WorkWindowBase.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace qm {

DialogState& dialogState() {
    static DialogState state;
    return state;
}

namespace {

// Ends a dialog's layout with its buttons in a row on the right, a little below the rest.
void addButtonRow(QVBoxLayout* layout, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    layout->addSpacing(6);
    layout->addLayout(row);
}

// A message or question is an alert to a screen reader, which reads its text as it opens.
void presentAsAlert(QDialog* dialog, const QString& text) {
    SetAccessibleRole(dialog, QAccessible::AlertMessage);
    dialog->setAccessibleDescription(text);
}

void announce(QDialog* dialog) {
    QAccessibleEvent event(dialog, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

bool onCalculator() {
    return ActiveWorkWindow() == WorkWindow::Calculator;
}

// The width of the dialogs' texts, in pixels.
constexpr int TextWidth = 360;

// The height `box` needs to show `text` whole, wrapped at its width, as the box lays it out.
int WrappedTextHeight(const QPlainTextEdit* box, const QString& text, int boxWidth) {
    const qreal margin = box->document()->documentMargin();
    const qreal lineWidth = boxWidth - 2 * box->frameWidth() - 2 * margin;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal height = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, box->font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth);
            height += line.height();
        }
        layout.endLayout();
    }
    return qCeil(height + 2 * margin) + 2 * box->frameWidth() + 2;
}

} // namespace

AMsgbox::AMsgbox(QWidget* parent, const QString& details) : QDialog(parent) {
    setObjectName(QStringLiteral("AMsgbox"));
    setWindowTitle(QStringLiteral("Help"));
    const QString message = MessageText(dialogState().messageCode);
    // The message reads as the dialog's text: no frame, the dialog's own background, wrapped
    // at the dialog's width and exactly as tall as its lines, so it never scrolls.
    textMsg_ = new QPlainTextEdit(this);
    textMsg_->setObjectName(QStringLiteral("TextMsg"));
    textMsg_->setReadOnly(true);
    textMsg_->setFrameShape(QFrame::NoFrame);
    QPalette palette = textMsg_->palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
    textMsg_->setPalette(palette);
    textMsg_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textMsg_->setPlainText(message);
    textMsg_->setFixedSize(TextWidth, WrappedTextHeight(textMsg_, message, TextWidth));
    textMsg_->setAccessibleName(QStringLiteral("Message"));
    presentAsAlert(this, message);
    auto* exit = NamedButton(QStringLiteral("AMsgExit"), QStringLiteral("E&xit"), this);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(textMsg_);
    if (details.isEmpty()) {
        addButtonRow(layout, {exit});
    } else {
        // The details are selectable, to be copied into a report; a long text scrolls.
        details_ = new QPlainTextEdit(this);
        details_->setObjectName(QStringLiteral("TextDetails"));
        details_->setReadOnly(true);
        details_->setPlainText(details);
        details_->setFixedSize(TextWidth,
                               std::min(WrappedTextHeight(details_, details, TextWidth), 160));
        details_->setAccessibleName(QStringLiteral("Details"));
        details_->hide();
        auto* toggle =
            NamedButton(QStringLiteral("AMsgDetails"), QStringLiteral("Show &Details..."), this);
        connect(toggle, &QPushButton::clicked, this, [this, toggle] {
            const bool show = details_->isHidden();
            details_->setVisible(show);
            toggle->setText(show ? QStringLiteral("Hide &Details...")
                                 : QStringLiteral("Show &Details..."));
        });
        addButtonRow(layout, {toggle, exit});
        layout->addWidget(details_);
    }
    exit->setFocus();
}

QString AMsgbox::detailedText() const {
    return details_ ? details_->toPlainText() : QString();
}

void AMsgbox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    announce(this);
    if (onCalculator())
        PlaceFromWorkWindow(this, 5550, 2500);
    else
        PlaceFromWorkWindow(this, 3550, 3400);
}

AllYesNo::AllYesNo(const QString& databaseName, const QString& recordNumber, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AllYesNo"));
    setWindowTitle(QStringLiteral("Help"));
    auto* label =
        new QLabel(QuestionText(dialogState().choiceCode, databaseName, recordNumber), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setFixedWidth(TextWidth);
    presentAsAlert(this, label->text());
    auto* yes = NamedButton(QStringLiteral("AllYes"), QStringLiteral("&Yes"), this);
    auto* no = NamedButton(QStringLiteral("AllNo"), QStringLiteral("&No"), this);
    connect(yes, &QPushButton::clicked, this, [this] {
        dialogState().choiceCode = 6;
        accept();
    });
    connect(no, &QPushButton::clicked, this, [this] {
        dialogState().choiceCode = 0;
        reject();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label);
    addButtonRow(layout, {yes, no});
    yes->setFocus();
}

void AllYesNo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    announce(this);
    PlaceFromWorkWindow(this, 3550, 3400);
}

PrinterHeaderInput::PrinterHeaderInput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrinterHeaderInput"));
    setWindowTitle(QStringLiteral("Input"));
    fName_ = new QLabel(QStringLiteral(" Type in one line header information."), this);
    fName_->setObjectName(QStringLiteral("FName"));
    fName_->setWordWrap(true);
    auto* input = input_ = new FilteredLineEdit(this);
    input->setObjectName(QStringLiteral("InFName"));
    input->setSelectAllOnFocus(false);
    input->setMinimumWidth(TextWidth);
    NameAfterLabel(fName_, input);
    acept_ = NamedButton(QStringLiteral("Acept"), QStringLiteral("Continue &Printout"), this);
    auto* cancel = NamedButton(QStringLiteral("NAcept"), QStringLiteral("&Cancel"), this);
    // Enter accepts, as the accepting button does (one key, not one to reach the button and
    // another to press it).
    input->onKeyPress = [this](int code) {
        if (code == KeyEnter) {
            acept_->click();
            return 0;
        }
        return code == '"' ? 0 : code; // the double quote is swallowed without a beep
    };
    connect(acept_, &QPushButton::clicked, this, [this, input] {
        dialogState().lineInputText = input->text();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        dialogState().lineInputText = QStringLiteral("1");
        reject();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(fName_);
    layout->addWidget(input);
    addButtonRow(layout, {acept_, cancel});
    input->setFocus();
}

void PrinterHeaderInput::setCaptions(const QString& acceptCaption, const QString& prompt) {
    acept_->setText(acceptCaption);
    fName_->setText(prompt);
    NameAfterLabel(fName_, input_);
}

void PrinterHeaderInput::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceFromWorkWindow(this, 3400, 3500);
}

FundCurValInput::FundCurValInput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FundCurValInput"));
    setWindowTitle(QStringLiteral("Input "));
    const bool correcting = dialogState().correctMode == 1 || dialogState().correctMode == 2;
    auto* label =
        new QLabel(dialogState().correctMode == 1 ? QStringLiteral("Correct record number: ")
                                                  : QStringLiteral("Delete record number: "),
                   this);
    label->setObjectName(QStringLiteral("Label1"));
    auto* curVal = new FilteredLineEdit(this);
    curVal->setObjectName(QStringLiteral("CurVal"));
    NameAfterLabel(label, curVal);
    auto* ok = NamedButton(QStringLiteral("Accept"), QStringLiteral("&OK"), this);
    auto* cancel = NamedButton(QStringLiteral("NoAccept"), QStringLiteral("&Cancel"), this);
    curVal->onKeyPress = [ok, curVal, correcting](int code) {
        if (code == KeyEnter) {
            ok->click();
            return 0;
        }
        const int result =
            correcting ? DigitKeyFilter(code) : MoneyKeyFilter(code, curVal->text(), 0);
        if (result == 0)
            Beep();
        return result;
    };
    // Any way out but "&OK" leaves no number, so nothing stale can be acted on.
    dialogState().dialogText.clear();
    connect(ok, &QPushButton::clicked, this, [this, curVal] {
        dialogState().dialogText = curVal->text();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        dialogState().dialogText.clear();
        reject();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(curVal);
    layout->addLayout(row);
    addButtonRow(layout, {ok, cancel});
    curVal->setFocus();
}

void FundCurValInput::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceFromWorkWindow(this, 3600, 3500);
}

void ShowMessage(int code, const QString& details) {
    dialogState().messageCode = code;
    AMsgbox dialog(CurrentWorkWindow(), details);
    dialog.exec();
}

bool AskQuestion(int code, const QString& databaseName, const QString& recordNumber) {
    dialogState().choiceCode = code;
    AllYesNo dialog(databaseName, recordNumber, CurrentWorkWindow());
    dialog.exec();
    return dialogState().choiceCode == 6;
}

QString AskLine(const QString& acceptCaption, const QString& prompt) {
    PrinterHeaderInput dialog(CurrentWorkWindow());
    dialog.setCaptions(acceptCaption, prompt);
    dialog.exec();
    return dialogState().lineInputText;
}

QString AskRecordNumber(int correctMode) {
    dialogState().correctMode = correctMode;
    FundCurValInput dialog(CurrentWorkWindow());
    dialog.exec();
    return dialogState().dialogText;
}

void ShowPlainMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmark"), text, QMessageBox::Ok,
                    CurrentWorkWindow());
    box.setObjectName(QStringLiteral("PlainMessage"));
    box.exec();
}

bool AskPlainQuestion(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmark"), text,
                    QMessageBox::Yes | QMessageBox::No, CurrentWorkWindow());
    box.setObjectName(QStringLiteral("PlainQuestion"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace qm
