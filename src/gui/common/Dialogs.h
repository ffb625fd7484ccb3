#pragma once

#include "core/text/Messages.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qm {

class FilteredLineEdit;

// The dialogs' protocol: the number a dialog shows going in, the answer it leaves coming out.
// One instance serves every dialog of the program (see dialogState()).
struct DialogState {
    int messageCode = 0;
    int choiceCode = 0;    // question number in; 6 after "&Yes", 0 after "&No"
    QString lineInputText; // one-line input: the text typed, "1" after "&Cancel"
    QString dialogText;    // record-number dialog: the text typed, empty after "&Cancel"
    int correctMode = 0;   // record-number dialog: 1 correct, 0 delete
};

DialogState& dialogState();

// The program's message dialog: shows the message numbered by DialogState::messageCode. Given
// `details` (what the message leaves out, such as why a file could not be read), it also has a
// "Show &Details..." button that shows and hides them below its buttons; without, it is the
// message and its "E&xit" button alone.
class AMsgbox : public QDialog {
    Q_OBJECT
public:
    explicit AMsgbox(QWidget* parent = nullptr, const QString& details = QString());

    QString detailedText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* textMsg_;
    QPlainTextEdit* details_ = nullptr;
};

// The yes/no question dialog: asks the question numbered by DialogState::choiceCode and leaves 6
// there after "&Yes", 0 after "&No" (closing it otherwise leaves the question number).
class AllYesNo : public QDialog {
    Q_OBJECT
public:
    AllYesNo(const QString& databaseName, const QString& recordNumber, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

// One line of text: DialogState::lineInputText gets the text on the accepting button, "1" on
// "&Cancel"; the double quote cannot be typed.
class PrinterHeaderInput : public QDialog {
    Q_OBJECT
public:
    explicit PrinterHeaderInput(QWidget* parent = nullptr);
    void setCaptions(const QString& acceptCaption, const QString& prompt);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* fName_;
    FilteredLineEdit* input_;
    QPushButton* acept_;
};

// Asks for a record number: DialogState::dialogText gets the typed text on "&OK", the empty text
// on "&Cancel" or when the dialog is closed otherwise. Correcting (DialogState::correctMode 1)
// takes digits only; deleting also takes a decimal point.
class FundCurValInput : public QDialog {
    Q_OBJECT
public:
    explicit FundCurValInput(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

// Shows message `code` (with `details`, if any, behind its details button) and waits until it
// is closed.
void ShowMessage(int code, const QString& details = QString());
// Asks question `code` (1 to 5); true when it was answered "&Yes".
bool AskQuestion(int code, const QString& databaseName = QString(),
                 const QString& recordNumber = QString());
inline void ShowMessage(Message m, const QString& details = QString()) {
    ShowMessage(Number(m), details);
}
inline bool AskQuestion(Question q, const QString& databaseName = QString(),
                        const QString& recordNumber = QString()) {
    return AskQuestion(Number(q), databaseName, recordNumber);
}
// Asks for one line of text; the answer is left in DialogState::lineInputText and returned.
QString AskLine(const QString& acceptCaption, const QString& prompt);
// Asks for a record number in mode `correctMode`; the answer is left in DialogState::dialogText
// and returned.
QString AskRecordNumber(int correctMode);
// The system's plain message box with an OK button.
void ShowPlainMessage(const QString& text);
// The system's plain question box, "&Yes" and "&No" ("&No" the default and the answer of Escape
// and the close box); true after "&Yes".
bool AskPlainQuestion(const QString& text);

} // namespace qm
