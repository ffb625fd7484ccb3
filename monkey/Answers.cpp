// The answers to the dialogs: what a user does with a message, a question, an input or a file
// dialog, and what each dialog shows is counted the first time it is seen.

#include "Monkey.h"

#include "Looks.h"
#include "PortfolioCheck.h"
#include "Trail.h"

#include "core/portfolio/DatabaseFile.h"
#include "gui/common/Dialogs.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace qmmonkey {

void Monkey::seeDialog(QWidget* dialog) {
    if (dialog->property("qmMonkeySeen").toBool())
        return;
    dialog->setProperty("qmMonkeySeen", true);
    const QString name = dialog->objectName();
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
        run_.tally(name == QLatin1String("SaveAsDialog") ? QStringLiteral("copies offered")
                   : files->acceptMode() == QFileDialog::AcceptSave
                       ? QStringLiteral("save dialogs")
                       : QStringLiteral("open dialogs"));
    } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        run_.tally(QStringLiteral("plain messages"));
        Note(QStringLiteral("plain message \"%1\"").arg(box->text().left(80)));
        if (box->text().startsWith(QLatin1String("Could not save ")))
            ++run_.saveFailuresSeen;
    } else if (name == QLatin1String("AMsgbox")) {
        run_.messagesSeen.push_back(qm::dialogState().messageCode);
        run_.tally(QStringLiteral("messages"));
        Note(QStringLiteral("message %1 shown").arg(qm::dialogState().messageCode));
    } else if (name == QLatin1String("AllYesNo")) {
        run_.tally(QStringLiteral("questions"));
        Note(QStringLiteral("question %1 asked").arg(qm::dialogState().choiceCode));
    } else if (name == QLatin1String("PrinterHeaderInput")) {
        run_.tally(QStringLiteral("line inputs"));
        // The box to type into has the keyboard when the dialog opens.
        if (auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("InFName")))
            box->setFocus(Qt::OtherFocusReason);
    } else if (name == QLatin1String("FundCurValInput")) {
        run_.tally(QStringLiteral("record numbers asked"));
    } else if (name == QLatin1String("QMGraph")) {
        run_.tally(QStringLiteral("charts"));
    }
}

// A dialog's own answers come first in `weights`; the last three weigh what a user can do with
// any dialog: its close box, Escape, a random key. One of those three is done here and -1
// returned; otherwise the index of the dialog's own answer chosen.
int Monkey::chooseAnswer(QWidget* dialog, const QString& what, const std::vector<double>& weights) {
    const int choice = weighted(weights);
    const int own = static_cast<int>(weights.size()) - 3;
    if (choice < own)
        return choice;
    if (choice == own)
        closeBox(dialog, what);
    else if (choice == own + 1)
        press(keyTarget(dialog), Escape);
    else
        pressRandomKey(dialog);
    return -1;
}

void Monkey::answerMessage(QWidget* dialog) {
    if (chooseAnswer(dialog, QStringLiteral("the message"), {70, 10, 10, 10}) == 0)
        clickNamed(dialog, QStringLiteral("AMsgExit"));
}

void Monkey::answerQuestion(QWidget* dialog) {
    if (run_.pendingFile && run_.pendingFile->fromList)
        run_.pendingFile->asked = true;
    const int choice = chooseAnswer(dialog, QStringLiteral("the question"), {40, 40, 10, 5, 5});
    if (choice >= 0)
        clickNamed(dialog, choice == 0 ? QStringLiteral("AllYes") : QStringLiteral("AllNo"));
}

// The two input dialogs are not answered with Escape.
void Monkey::answerLine(QWidget* dialog) {
    if (!ensureActive(dialog))
        return;
    switch (chooseAnswer(dialog, QStringLiteral("the line input"), {45, 35, 10, 5, 0, 5})) {
    case 0:
        typeInto(dialog, chance(0.05) ? randomText(300) : randomText(14));
        break;
    case 1:
        clickNamed(dialog, QStringLiteral("Acept"));
        break;
    case 2:
        clickNamed(dialog, QStringLiteral("NAcept"));
        break;
    }
}

void Monkey::answerNumber(QWidget* dialog) {
    if (!ensureActive(dialog))
        return;
    switch (chooseAnswer(dialog, QStringLiteral("the record number"), {45, 40, 8, 4, 0, 3})) {
    case 0:
        typeInto(dialog, randomRecordNumber());
        break;
    case 1:
        clickNamed(dialog, QStringLiteral("Accept"));
        break;
    case 2:
        clickNamed(dialog, QStringLiteral("NoAccept"));
        break;
    }
}

void Monkey::expectFile(bool save, const QString& path, bool fromList) {
    run_.pendingFile =
        PendingFile{save, path, run_.messagesSeen.size(), run_.saveFailuresSeen, fromList};
    if (fromList)
        run_.tally(QStringLiteral("recent databases opened"));
    if (!save) {
        const std::optional<qm::DatabaseContents> contents = qm::ReadDatabaseFile(path);
        run_.fileOrder = contents && !DatesInOrder(*contents);
        if (run_.fileOrder)
            Note(QStringLiteral("(its records are not in date order)"));
    }
    Note(QStringLiteral("%1 file %2%3")
             .arg(save ? QStringLiteral("save as") : QStringLiteral("open"),
                  QDir(options_.folder).relativeFilePath(path),
                  fromList ? QStringLiteral(" from the recent databases") : QString()));
}

void Monkey::cancelFiles(QFileDialog* dialog) {
    run_.pendingFile.reset();
    switch (below(3)) {
    case 0:
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
            if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) {
                click(cancel, QStringLiteral("click the file dialog's"));
                break;
            }
        }
        Note(QStringLiteral("cancel the file dialog"));
        dialog->reject();
        break;
    case 1:
        closeBox(dialog, QStringLiteral("the file dialog"));
        break;
    default:
        press(dialog, Escape);
        break;
    }
}

void Monkey::answerFiles(QFileDialog* dialog) {
    const bool save = dialog->acceptMode() == QFileDialog::AcceptSave;
    if (!ensureActive(dialog))
        return;
    const QDir folder(options_.folder);
    QString path;
    if (forcedFile_) {
        path = *forcedFile_;
        forcedFile_.reset();
    } else {
        switch (weighted({16, 22, 7, 15, 14, 8, 4, run_.savedFiles.isEmpty() ? 0.0 : 10.0, 3})) {
        case 0:
            cancelFiles(dialog);
            return;
        case 1:
            path = folder.filePath(QStringLiteral("DtaSampl.QMD"));
            break;
        case 2:
            path = folder.filePath(QStringLiteral("largest.QMD"));
            if (!save && !copyFresh(options_.largestDatabase, path))
                fail(QStringLiteral("cannot copy %1").arg(options_.largestDatabase));
            break;
        case 3: {
            const char* const forms[] = {"new-%1.QMD", "new-%1.qmd", "NEW%1", "new %1.QMD"};
            path = folder.filePath(QString::fromLatin1(forms[below(4)]).arg(++fileCounter_));
            break;
        }
        case 4:
            path = freshMalformedFile();
            break;
        case 5:
            path = folder.filePath(chance(0.5) ? QStringLiteral("dir") : QStringLiteral("dir.QMD"));
            break;
        case 6:
            path = folder.filePath(QStringLiteral("missing/x.QMD"));
            break;
        case 7:
            path = pick(run_.savedFiles);
            break;
        default: {
            static const QString letters = QStringLiteral("abcXYZ019 -_");
            QString name;
            for (int i = 0, n = 1 + below(10); i < n; ++i)
                name += pick(letters);
            if (name.trimmed().isEmpty())
                name = QStringLiteral("x");
            path = dialog->directory().absoluteFilePath(name.trimmed());
            break;
        }
        }
    }
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit)
        fail(QStringLiteral("the file dialog has no file name box"));
    // A name saved without any extension is written with ".QMD" (a folder's name is entered).
    const QFileInfo typed(path);
    const QString written = save && !typed.isDir() && !typed.fileName().contains(QLatin1Char('.'))
                                ? path + QStringLiteral(".QMD")
                                : path;
    expectFile(save, written, false);
    // The name is typed into the name box, which has the keyboard: the dialog then drops the
    // preset name from its list selection, as it does for a user typing there.
    edit->setFocus(Qt::MouseFocusReason);
    edit->setText(path);
    QTest::keyClick(edit, Qt::Key_Return);
}

void Monkey::answerSaveCopy(QFileDialog* dialog) {
    if (!ensureActive(dialog))
        return;
    const QDir folder(options_.folder);
    QString path;
    switch (weighted({40, 45, 15})) {
    case 0:
        cancelFiles(dialog);
        return;
    case 1:
        path = folder.filePath(QStringLiteral("copy-%1").arg(++fileCounter_));
        break;
    default: // cannot be written: a message names it
        path = folder.filePath(QStringLiteral("missing/copy"));
        break;
    }
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit)
        fail(QStringLiteral("the file dialog has no file name box"));
    Note(QStringLiteral("save a copy as %1").arg(QDir(options_.folder).relativeFilePath(path)));
    edit->setFocus(Qt::MouseFocusReason);
    edit->setText(path);
    QTest::keyClick(edit, Qt::Key_Return);
}

void Monkey::answerSettings(QWidget* dialog) {
    if (!ensureActive(dialog))
        return;
    switch (chooseAnswer(dialog, QStringLiteral("the settings"), {30, 10, 10, 20, 15, 5, 5, 5})) {
    case 0:
        typeInto(dialog, randomText(1 + below(6)));
        break;
    case 1:
        clickNamed(dialog, QStringLiteral("SettingsLocaleSymbol"));
        break;
    case 2:
        clickNamed(dialog, QStringLiteral("SettingsDefaultSymbol"));
        break;
    case 3:
        clickNamed(dialog, QStringLiteral("SettingsOk"));
        break;
    case 4:
        clickNamed(dialog, QStringLiteral("SettingsCancel"));
        break;
    }
}

void Monkey::answerPlainBox(QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    const QList<QAbstractButton*> buttons = box->buttons();
    switch (weighted({buttons.isEmpty() ? 0.0 : 80.0, 10, 10})) {
    case 0:
        click(pick(buttons), QStringLiteral("click"));
        break;
    case 1:
        closeBox(box, QStringLiteral("the plain message"));
        break;
    default:
        press(box, Escape);
        break;
    }
    // A plain question asks whether to open or save a file all the same (another copy holds
    // it, or another program changed it): anything but "&Yes" calls the open or save off.
    if (box->objectName() == QLatin1String("PlainQuestion") &&
        box->clickedButton() != box->button(QMessageBox::Yes))
        run_.pendingFile.reset();
}

void Monkey::useChart(QWidget* chart) {
    const QList<QPushButton*> buttons = usable<QPushButton>(chart);
    std::vector<double> weights;
    for (QPushButton* b : buttons) {
        const QString name = b->objectName();
        weights.push_back(name == QLatin1String("QMGExit")    ? 30
                          : name == QLatin1String("QMGPrint") ? 6
                                                              : 10);
    }
    weights.push_back(8); // the close box
    weights.push_back(5); // a key
    const int choice = weighted(weights);
    if (choice < buttons.size()) {
        click(buttons.at(choice), QStringLiteral("click"));
    } else if (choice == buttons.size()) {
        closeBox(chart, QStringLiteral("the chart"));
    } else if (ensureActive(chart)) {
        pressRandomKey(chart);
    }
}

} // namespace qmmonkey
