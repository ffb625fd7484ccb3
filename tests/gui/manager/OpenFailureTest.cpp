// A file that cannot be opened: message 13 as always, and behind its details button the file,
// the line at fault and the reason.

#include "gui/manager/ManagerWindowFixture.h"

#include "gui/common/Dialogs.h"

#include <QDir>
#include <unistd.h>

using namespace qm;
using namespace qmtest;

namespace {

class OpenFailure : public ManagerWindowTest {
protected:
    // What message 13's dialog showed when `path` was opened: its text, its details before and
    // after its details button was clicked.
    struct Shown {
        QStringList messages;
        bool detailsHidden = false;
        QString details;
        QString caption; // of the details button once clicked
    };
    Shown open(const QString& path) {
        Shown shown;
        runAnsweringModals([&] { pressTab(0); },
                           [&](QWidget* dialog) {
                               QTimer::singleShot(0, dialog, [&, dialog] {
                                   if (dialog->objectName() == QLatin1String("AMsgbox"))
                                       readMessage(dialog, shown);
                                   else
                                       answerDialog(dialog, QStringLiteral("file:") + path);
                               });
                           });
        activate();
        return shown;
    }
    static void readMessage(QWidget* dialog, Shown& shown) {
        shown.messages << dialogText(dialog);
        auto* details = dialog->findChild<QPlainTextEdit*>(QStringLiteral("TextDetails"));
        auto* button = dialog->findChild<QPushButton*>(QStringLiteral("AMsgDetails"));
        if (!details || !button) {
            ADD_FAILURE() << "message without details";
            pressButton(dialog, QStringLiteral("AMsgExit"));
            return;
        }
        shown.detailsHidden = !details->isVisible();
        QTest::mouseClick(button, Qt::LeftButton);
        if (details->isVisible())
            shown.details = details->toPlainText();
        EXPECT_EQ(details->toPlainText(), qobject_cast<AMsgbox*>(dialog)->detailedText());
        shown.caption = button->text();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("AMsgExit")),
                          Qt::LeftButton);
    }
};

TEST_F(OpenFailure, Message13ShowsTheLineAndTheReasonInItsDetails) {
    const QString badDate =
        writeFile(QStringLiteral("BADDATE.QMD"), "1,1,\"All Records\",\"31\"\r\n\"F\",\" 1\"\r\n"
                                                 "1,10,1,0,0,10,\"B\",#2025-13-01#\r\n");
    const QString locked = writeFile(QStringLiteral("LOCKED.QMD"), ExampleFile);
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    struct Case {
        const char* what;
        QString path;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"a bad date", badDate, "Line 3: the date literal #2025-13-01# is not a date."},
        {"a missing file", dir.filePath(QStringLiteral("NONE.QMD")), "The file does not exist."},
        {"a count that is none",
         writeFile(QStringLiteral("COUNT.QMD"), "x,1,\"All Records\",\"31\"\r\n"),
         "Line 1: the record count \"x\" is not a whole number of 0 or more."}};
    // Permissions do not hold the superuser back.
    if (geteuid() != 0)
        cases.push_back(
            {"an unreadable file", locked, "The file could not be opened: Permission denied."});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Shown shown = open(c.path);
        EXPECT_EQ(shown.messages, QStringList({msg(13)}));
        EXPECT_TRUE(shown.detailsHidden) << "the details wait for their button";
        EXPECT_EQ(shown.details,
                  QDir::toNativeSeparators(c.path) + QLatin1Char('\n') + QLatin1String(c.reason));
        EXPECT_EQ(shown.caption, QStringLiteral("Hide &Details..."));
        EXPECT_EQ(tab(), 2);
        EXPECT_EQ(text("EDbaseName"), QStringLiteral("Database: "));
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // Any other message has no details button.
    runAnsweringModals([this] { pressTab(1); },
                       [](QWidget* dialog) {
                           EXPECT_EQ(dialogText(dialog), msg(15));
                           EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("AMsgDetails")),
                                     nullptr);
                           pressButton(dialog, QStringLiteral("AMsgExit"));
                       });
}

} // namespace
