#include "gui/manager/ManagerWindowFixture.h"

#include "core/portfolio/DatabaseFile.h"
#include "gui/app/QMStart.h"
#include "gui/common/FileDialogs.h"
#include "gui/common/StartFolder.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <QWindow>

using namespace qm;
using namespace qmtest;

namespace {

class ManagerFiles : public ManagerWindowTest {
protected:
    QStringList captions() { return {text("ENumFunds"), text("ENumRec"), text("EDbaseName")}; }
    QStringList funds() { return listItems("EFunds"); }

    // What the file dialog of tab `t` offers: its folder, the preset name and its side bar.
    struct DialogView {
        QString folder;
        QString preset;
        QList<QUrl> sidebar;
        QPointer<QFileDialog> dialog;
        bool save = false;
        bool overWindow = false; // kept above the manager's window
    };
    // Shows the dialog of tab `t` and cancels it, after typing `typed` as the name if given.
    DialogView viewDialog(int t, const QString& typed = QString()) {
        DialogView view;
        runAnsweringModals(
            [&] { pressTab(t); },
            [&](QWidget* dialog) {
                auto* files = qobject_cast<QFileDialog*>(dialog);
                ASSERT_NE(files, nullptr);
                view.folder = files->directory().absolutePath();
                view.preset = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
                view.sidebar = files->sidebarUrls();
                view.dialog = files;
                view.save = files->acceptMode() == QFileDialog::AcceptSave;
                view.overWindow =
                    files->windowHandle() &&
                    files->windowHandle()->transientParent() == window->windowHandle();
                if (!typed.isEmpty())
                    files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
                files->reject();
            });
        activate();
        return view;
    }
};

// The example portfolio typed in (funds in the order XYZ, ABC), saved byte for byte, and opened
// back in a new manager.
TEST_F(ManagerFiles, SavesTheExampleAndOpensItBack) {
    fundWith(QStringLiteral("XYZ Mutual Fund"),
             {{"Bought", "1/15/2001{Enter}10{Enter}100{Enter}50{Enter}"}});
    fundWith(QStringLiteral("ABC Fund"), {{"Cash Dividend", "3/31/2001{Enter}100{Enter}"}});
    choose("EFunds", QStringLiteral("XYZ Mutual Fund"));
    enter(QStringLiteral("Dividend Shares"), QStringLiteral("2/1/2001{Enter}10{Enter}10"));

    // A folder that is not there: the system's reason, nothing saved.
    const QString missing = dir.filePath(QStringLiteral("missing/EXAMPLE.QMD"));
    EXPECT_EQ(clickTab(1, {"file:" + missing}),
              QStringList({"Could not save " + missing +
                           ": No such file or directory. The file on disk is unchanged."}));
    EXPECT_EQ(window->portfolio().unsavedChanges, 1);
    EXPECT_EQ(text("EDbaseName"), "Database: ");

    const QString path = dir.filePath(QStringLiteral("EXAMPLE.QMD"));
    EXPECT_EQ(clickTab(1, {"file:" + path}), QStringList());
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(fileBytes(path), ExampleFile);
    EXPECT_EQ(captions(), QStringList({"Funds:  2", "Records:  3", "Database: EXAMPLE.QMD"}));
    EXPECT_EQ(window->portfolio().unsavedChanges, 0);

    // A name typed without an extension gets ".QMD", so that "Open file" lists it and the
    // desktop knows it; a name with an extension is kept as typed.
    const struct {
        const char* typed;
        const char* written;
    } names[] = {{"Broker2025", "Broker2025.QMD"},
                 {"new one", "new one.QMD"},
                 {"mine.qmd", "mine.qmd"},
                 {"Broker.2025", "Broker.2025"},
                 {"my.docs/Broker", "my.docs/Broker.QMD"}};
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("my.docs")));
    for (const auto& n : names) {
        SCOPED_TRACE(n.typed);
        EXPECT_EQ(clickTab(1, {"file:" + dir.filePath(QLatin1String(n.typed))}), QStringList());
        EXPECT_EQ(fileBytes(dir.filePath(QLatin1String(n.written))), ExampleFile);
        EXPECT_EQ(text("EDbaseName"),
                  "Database: " + QFileInfo(QLatin1String(n.written)).fileName());
        if (QLatin1String(n.typed) != QLatin1String(n.written)) {
            EXPECT_FALSE(QFileInfo::exists(dir.filePath(QLatin1String(n.typed))));
        }
    }
    // A file without an extension, saved before, still opens by its name as typed.
    ASSERT_TRUE(QFile::copy(path, dir.filePath(QStringLiteral("PLAIN"))));
    EXPECT_EQ(openFile(dir.filePath(QStringLiteral("PLAIN"))), QStringList());
    EXPECT_EQ(text("EDbaseName"), "Database: PLAIN");

    EXPECT_EQ(click("EExit"), QStringList()) << "saved: nothing to ask";
    openManager();
    EXPECT_EQ(openFile(path), QStringList());
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(captions(), QStringList({"Funds:  2", "Records:  3", "Database: EXAMPLE.QMD"}));
    EXPECT_EQ(funds(), QStringList({"ABC Fund", "XYZ Mutual Fund"}));
    choose("EFunds", QStringLiteral("XYZ Mutual Fund"));
    const QStringList list = lines("EResults");
    ASSERT_EQ(list.size(), 7);
    const std::initializer_list<int> columns{10, 20, 32, 44, 55, 66, 77, 90, 96};
    EXPECT_EQ(fields(list[3], columns), QStringList({"Bought", "1/15/2001", "10.0000", "100.0000",
                                                     "50.00", ".00", ".00", "1,050.00", "1"}));
    EXPECT_EQ(fields(list[4], columns), QStringList({"Div/Shrs.", "2/1/2001", "10.0000", "10.0000",
                                                     ".00", "100.00", ".00", ".00", "2"}));
}

// A file that cannot be read leaves an empty portfolio without a name; a cancelled dialog
// changes nothing; saving nothing shows "No Records." without a dialog.
TEST_F(ManagerFiles, FailuresAndCancels) {
    const QString good = writeFile(QStringLiteral("GOOD.QMD"), ExampleFile);
    const QByteArray truncated = ExampleFile.left(ExampleFile.indexOf("2,10,100"));
    const QString bad[] = {writeFile(QStringLiteral("SHORT.QMD"), truncated),
                           writeFile(QStringLiteral("TEXT.QMD"), "not a database\r\n"),
                           dir.filePath(QStringLiteral("NONE.QMD"))};
    for (const QString& path : bad) {
        EXPECT_EQ(openFile(good), QStringList());
        EXPECT_EQ(openFile(path), QStringList({msg(13)})) << path.toStdString();
        EXPECT_EQ(tab(), 2);
        EXPECT_EQ(captions(), QStringList({"Funds:  0", "Records:  0", "Database: "}));
        EXPECT_TRUE(funds().isEmpty());
    }
    EXPECT_EQ(clickTab(1), QStringList({msg(15)}));
    EXPECT_EQ(tab(), 2);

    EXPECT_EQ(openFile(good), QStringList());
    for (int t : {0, 1}) {
        EXPECT_EQ(clickTab(t, {QStringLiteral("cancel")}), QStringList());
        EXPECT_EQ(tab(), 2);
        EXPECT_EQ(captions(), QStringList({"Funds:  2", "Records:  3", "Database: GOOD.QMD"}));
        EXPECT_EQ(window->portfolio().unsavedChanges, 0);
    }
    EXPECT_EQ(fileBytes(good), ExampleFile);

    // Tabs that need records send the user back with "No Records.".
    click("EExit");
    openManager();
    for (int t : {1, 3, 4}) {
        EXPECT_EQ(clickTab(t), QStringList({msg(15)})) << t;
        EXPECT_EQ(tab(), 2);
    }
}

// Opening a file over unsaved changes asks first: "&Yes" goes back with nothing read.
TEST_F(ManagerFiles, OpeningOverUnsavedChangesAsksFirst) {
    const QString good = writeFile(QStringLiteral("GOOD.QMD"), ExampleFile);
    fundWith(QStringLiteral("Typed"), {{"Fee Cash", "1/2/2024{Enter}5{Enter}"}});
    const QStringList question{"File changed.  file in memory will be erased. Do you wish to go "
                               "back and save it to Disk?."};
    EXPECT_EQ(clickTab(0, {QStringLiteral("yes")}), question);
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(captions(), QStringList({"Funds:  1", "Records:  1", "Database: "}));
    EXPECT_EQ(clickTab(0, {QStringLiteral("no"), "file:" + good}), question);
    EXPECT_EQ(captions(), QStringList({"Funds:  2", "Records:  3", "Database: GOOD.QMD"}));
    EXPECT_EQ(click("EExit"), QStringList()) << "nothing unsaved after the file was read";
}

// The dialog lists database files whatever the case of their extension, offers the one filter
// and presets the name of the database in memory.
TEST_F(ManagerFiles, DialogListsDatabaseFiles) {
    for (const char* name : {"a.QMD", "b.qmd", "c.Qmd", "d.txt", "e.QMD.bak"})
        writeFile(QLatin1String(name), ExampleFile);
    EXPECT_EQ(openFile(dir.filePath(QStringLiteral("a.QMD"))), QStringList());
    QStringList listed;
    QStringList filters;
    QString preset;
    runAnsweringModals(
        [&] { pressTab(1); },
        [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->objectName(), "CMDialog1");
            filters = files->nameFilters();
            preset = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            auto* view = files->findChild<QListView*>(QStringLiteral("listView"));
            for (int wait = 0; wait < 300 && listed.size() < 3; wait += 10) {
                QTest::qWait(10);
                listed.clear();
                for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                    listed << view->model()->index(r, 0, view->rootIndex()).data().toString();
            }
            files->reject();
        });
    listed.sort();
    EXPECT_EQ(listed, QStringList({"a.QMD", "b.qmd", "c.Qmd"}));
    EXPECT_EQ(filters, QStringList({"Investment Manager Database (*.QMD)"}));
    EXPECT_EQ(preset, "a.QMD");
}

// A database opened from a folder of its own is saved back there, under its own name, when
// the dialog is accepted as offered; the dialog offers that folder again next time, also in a
// manager opened anew.
TEST_F(ManagerFiles, SavesWhereTheFileWasOpened) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
    const QString path = writeFile(QStringLiteral("data/MYDATA.QMD"), ExampleFile);
    EXPECT_EQ(openFile(path), QStringList());
    fundWith(QStringLiteral("New Fund"), {{"Fee Cash", "1/2/2024{Enter}5{Enter}"}});
    const QStringList shown = clickTab(1, {QStringLiteral("accept")});
    EXPECT_EQ(shown, QStringList({QStringLiteral("MYDATA.QMD already exists.\nDo you want to "
                                                 "replace it?")}));
    EXPECT_EQ(window->portfolio().unsavedChanges, 0);
    EXPECT_EQ(window->portfolio().databasePath, path);
    EXPECT_EQ(captions(), QStringList({"Funds:  3", "Records:  4", "Database: MYDATA.QMD"}));
    Portfolio reread;
    InitPortfolio(reread);
    EXPECT_TRUE(OpenDatabase(reread, path).empty());
    EXPECT_EQ(reread.recordCount, 4);
    EXPECT_EQ(fileBytes(path + QStringLiteral(".bak")), ExampleFile);
    const QDir program(QCoreApplication::applicationDirPath());
    EXPECT_FALSE(program.exists(QStringLiteral("MYDATA.QMD"))) << "saved beside the program";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList()) << "saved elsewhere";

    click("EExit");
    openManager();
    const DialogView view = viewDialog(0);
    EXPECT_EQ(view.folder, QFileInfo(path).absolutePath());
    EXPECT_EQ(view.preset, QString());
}

// One dialog serves "Open file" and "Save file" for the window's life, modal above the window
// but none of its controls; a name typed into a cancelled dialog is not offered again.
TEST_F(ManagerFiles, OneDialogKeptForTheWindowsLife) {
    const DialogView first = viewDialog(0, QStringLiteral("TYPED.QMD"));
    fundWith(QStringLiteral("Typed"), {{"Fee Cash", "1/2/2024{Enter}5{Enter}"}});
    const DialogView save = viewDialog(1, QStringLiteral("OTHER.QMD"));
    const DialogView again = viewDialog(1);
    ASSERT_NE(first.dialog, nullptr);
    EXPECT_EQ(save.dialog, first.dialog);
    EXPECT_EQ(again.dialog, first.dialog);
    EXPECT_FALSE(first.save);
    EXPECT_TRUE(save.save);
    EXPECT_TRUE(again.save);
    EXPECT_TRUE(first.overWindow);
    EXPECT_FALSE(window->isAncestorOf(first.dialog));
    EXPECT_EQ(save.preset, QString());
    EXPECT_EQ(again.preset, QString());
    EXPECT_EQ(again.folder, first.folder);
}

// The dialog is made while the user looks at the new window, before "Open file" is clicked, and
// handed on to the next manager window when the window goes, shown or not (deleting it would
// write Qt's settings file to disk then): the next window offers it just as a new one, sized
// afresh.
TEST_F(ManagerFiles, DialogMadeAheadAndHandedOnToTheNextWindow) {
    const auto fileDialogs = [] {
        QList<QPointer<QFileDialog>> found;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* files = qobject_cast<QFileDialog*>(widget))
                found << files;
        return found;
    };
    const auto reopen = [&] {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        openManager();
        QTest::qWait(50); // the new window's idle time makes no second dialog
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileDialogs().size() == 1; }, 5000));
    const QPointer<QFileDialog> ahead = fileDialogs().front();
    EXPECT_FALSE(ahead->isVisible());
    EXPECT_EQ(ahead->objectName(), "CMDialog1");

    QSize resizedTo;
    for (const bool resized : {false, true}) {
        SCOPED_TRACE(resized ? "after a window that showed it, resized" : "never shown");
        reopen();
        ASSERT_TRUE(ahead) << "handed on, not deleted";
        EXPECT_EQ(fileDialogs(), QList<QPointer<QFileDialog>>{ahead});
        QSize shownSize;
        runAnsweringModals([&] { pressTab(0); },
                           [&](QWidget* dialog) {
                               EXPECT_EQ(dialog, ahead.data());
                               shownSize = dialog->size();
                               resizedTo = dialog->size() + QSize(150, 100);
                               dialog->resize(resizedTo);
                               static_cast<QFileDialog*>(dialog)->reject();
                           });
        activate();
        if (resized) {
            EXPECT_NE(shownSize, resizedTo) << "the size the user left is not kept";
        }
    }
    // It opens a file as before, in each window it serves.
    const QString path = writeFile(QStringLiteral("EXAMPLE.QMD"), ExampleFile);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(openFile(path), QStringList());
        EXPECT_EQ(window->portfolio().fundCount, 2);
        reopen();
    }
    const DialogView shown = viewDialog(0);
    EXPECT_EQ(shown.dialog, ahead);
    EXPECT_FALSE(shown.save);
    EXPECT_TRUE(shown.overWindow);
    EXPECT_EQ(shown.preset, QString());
    EXPECT_TRUE(shown.sidebar.contains(QUrl::fromLocalFile(SampleFolder())));
}

// The dialog starts where the last database was opened or saved; with none yet, in the
// program's folder when it may be written (this test's program folder is); the folder of the
// sample database is in its side bar. A failed open is not remembered.
TEST_F(ManagerFiles, DialogStartsInTheLastDatabaseFolder) {
    QSettings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"))
        .remove(QStringLiteral("LastDatabase"));
    const QString program = QCoreApplication::applicationDirPath();
    DialogView view = viewDialog(0);
    EXPECT_EQ(view.folder, program);
    EXPECT_TRUE(view.sidebar.contains(QUrl::fromLocalFile(SampleFolder())));
    EXPECT_TRUE(view.sidebar.contains(QUrl::fromLocalFile(QDir::homePath())));

    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("kept")));
    const QString kept = writeFile(QStringLiteral("kept/KEPT.QMD"), ExampleFile);
    EXPECT_EQ(openFile(kept), QStringList());
    EXPECT_EQ(openFile(dir.filePath(QStringLiteral("NONE.QMD"))), QStringList({msg(13)}));
    click("EExit");
    openManager();
    view = viewDialog(0);
    EXPECT_EQ(view.folder, QFileInfo(kept).absolutePath());

    // Saved elsewhere: that folder is the one offered from then on.
    fundWith(QStringLiteral("Typed"), {{"Fee Cash", "1/2/2024{Enter}5{Enter}"}});
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("other")));
    const QString saved = dir.filePath(QStringLiteral("other/SAVED.QMD"));
    EXPECT_EQ(clickTab(1, {"file:" + saved}), QStringList());
    view = viewDialog(1);
    EXPECT_EQ(view.folder, QFileInfo(saved).absolutePath());
    EXPECT_EQ(view.preset, QStringLiteral("SAVED.QMD"));
    click("EExit");
    openManager();
    EXPECT_EQ(viewDialog(0).folder, QFileInfo(saved).absolutePath());
}

// As the program quits, the dialog kept for the next window goes (Qt's settings are written
// then), and a window that goes after that takes its own along: none is left undeleted. Last in
// this file: after it the program is quitting.
TEST_F(ManagerFiles, NoDialogOutlivesTheProgram) {
    const auto fileDialog = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* files = qobject_cast<QFileDialog*>(widget))
                return QPointer<QFileDialog>(files);
        return QPointer<QFileDialog>();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fileDialog().isNull(); }, 5000));
    const QPointer<QFileDialog> kept = fileDialog();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(kept) << "kept for the next window";
    openManager();
    const QPointer<QFileDialog> second = fileDialog();
    ASSERT_EQ(second, kept);

    // A window that goes after the event loop has ended (quitting closes only those shown).
    const QPointer<QWidget> open = window;
    window->hide();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
    ASSERT_TRUE(open);
    open->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(open);
    EXPECT_FALSE(second) << "deleted with its window, not kept past the quit";
}

// A manager opened on a database (the program started on a file) makes no file dialog ahead: it
// holds none of a dialog's memory until "Open file" asks for one.
// A manager opened on a database (the program started on a file) holds only what it shows: the
// file dialog and the Current value frame are made when first asked for.
TEST(ManagerOpenedOnADatabase, MakesNothingAhead) {
    const auto fileDialogs = [] {
        int found = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            found += qobject_cast<QFileDialog*>(widget) != nullptr;
        return found;
    };
    const int before = fileDialogs();
    QMStart menu;
    // A copy of its own: the sample is locked by the first test program to open it.
    QTemporaryDir folder;
    const QString sample = folder.filePath(QStringLiteral("DtaSampl.QMD"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SAMPLE_DATABASE), sample));
    menu.start(sample);
    auto* manager = qobject_cast<QMManagement*>(menu.workWindow());
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(manager));
    QTest::qWait(100); // the window's idle time after its first frame
    EXPECT_GT(manager->portfolio().fundCount, 0);
    EXPECT_EQ(fileDialogs(), before);
    EXPECT_FALSE(manager->isValueTabBuilt());
    manager->valueTab();
    EXPECT_NE(manager->control(QStringLiteral("CVInPrice(17)")), nullptr) << "built when asked";
}

} // namespace

namespace {

// In the program's own file dialog a screen reader finds every box and list by name.
TEST_F(ManagerFiles, DialogBoxesAndListsAreNamedForAScreenReader) {
    QStringList unnamed, names;
    runAnsweringModals([&] { pressTab(0); },
                       [&](QWidget* dialog) {
                           auto* files = qobject_cast<QFileDialog*>(dialog);
                           if (!files) {
                               dialog->close();
                               return;
                           }
                           for (QWidget* w : files->findChildren<QWidget*>()) {
                               // (The edit part of a list is named with its list.)
                               if (w->window() != files || !w->isVisible() ||
                                   qobject_cast<QComboBox*>(w->parentWidget()) ||
                                   !(qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                                     qobject_cast<QAbstractItemView*>(w)))
                                   continue;
                               const QString name = QAccessible::queryAccessibleInterface(w)->text(
                                   QAccessible::Name);
                               (name.isEmpty() ? unnamed : names) << w->metaObject()->className();
                               names << name;
                           }
                           QTest::mouseClick(files->findChild<QDialogButtonBox*>()->button(
                                                 QDialogButtonBox::Cancel),
                                             Qt::LeftButton);
                       });
    activate();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char(' ')).toStdString();
    for (const char* name : {"Look in:", "Files of type:", "Files", "File name:"})
        EXPECT_TRUE(names.contains(QLatin1String(name)))
            << name << " in " << names.join(QStringLiteral(" | ")).toStdString();
}

// The desktop's own dialog is left to Qt wherever a desktop may give one.
TEST(FileDialogs, TheDesktopsOwnDialogWhereADesktopMayGiveOne) {
    const struct {
        const char *platform, *theme, *desktop;
        bool desktops;
    } cases[] = {
        {"xcb", "", "GNOME", true},
        {"wayland", "", "KDE", true},
        {"xcb", "xdgdesktopportal", "", true},
        {"xcb", "", "", false},
        {"wayland", " ", "", false},
        {"offscreen", "gtk3", "GNOME", false},
        {"minimal", "", "KDE", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopMayProvideFileDialog(QString::fromLatin1(c.platform),
                                              QString::fromLatin1(c.theme),
                                              QString::fromLatin1(c.desktop)),
                  c.desktops)
            << c.platform << " " << c.theme << " " << c.desktop;
}

} // namespace
