#include "core/startup/CommandLine.h"
#include "gui/manager/ManagerWindowFixture.h"

#include <QDir>

using namespace qm;
using namespace qmtest;

namespace {

// The program started as `quillmark ARGUMENT` from the test's folder: the start menu is made
// but not shown, and the command line's database is opened as main opens it.
class StartWithDatabase : public ManagerWindowTest {
protected:
    void SetUp() override {
        ManagerWindowTest::SetUp();
        delete menu; // a program just started: no window yet
        menu = new QMStart;
        window = nullptr;
        before = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override {
        QDir::setCurrent(before);
        ManagerWindowTest::TearDown();
    }
    QStringList start(const QString& argument) {
        const CommandLine line = ParseCommandLine({argument});
        EXPECT_EQ(line.action, CommandLine::Action::Start);
        return run([&] {
            menu->start(line.database);
            window = qobject_cast<QMManagement*>(menu->workWindow());
        });
    }
    QStringList captions() { return {text("ENumFunds"), text("ENumRec"), text("EDbaseName")}; }

    QString before;
};

// A readable database opens as "Open file" opens it; one that cannot be read gives message 13
// and an empty portfolio. Either way the manager is shown on its entry tab, and leaving it
// shows the start menu.
TEST_F(StartWithDatabase, OpensTheDatabaseInTheManager) {
    writeFile(QStringLiteral("EXAMPLE.QMD"), ExampleFile);
    writeFile(QStringLiteral("TEXT.QMD"), "not a database\r\n");
    const QStringList example{"Funds:  2", "Records:  3", "Database: EXAMPLE.QMD"};
    const QStringList empty{"Funds:  0", "Records:  0", "Database: "};
    const struct {
        QString argument;
        QStringList messages;
        QStringList captions;
    } cases[] = {
        {QStringLiteral("EXAMPLE.QMD"), {}, example},
        {dir.filePath(QStringLiteral("EXAMPLE.QMD")), {}, example},
        {QStringLiteral("file://") + dir.filePath(QStringLiteral("EXAMPLE.QMD")), {}, example},
        {QStringLiteral("TEXT.QMD"), {msg(13)}, empty},
        {QStringLiteral("MISSING.QMD"), {msg(13)}, empty},
        {dir.path(), {msg(13)}, empty}, // a folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        EXPECT_EQ(start(c.argument), c.messages);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(tab(), 2);
        EXPECT_EQ(captions(), c.captions);
        EXPECT_EQ(window->portfolio().unsavedChanges, 0);
        // Nothing is made ahead before the manager opens.
        EXPECT_EQ(menu->readyCalculator(), nullptr);
        EXPECT_EQ(menu->readyManager(), nullptr);
        if (c.messages.isEmpty()) {
            EXPECT_EQ(listItems("EFunds"), QStringList({"ABC Fund", "XYZ Mutual Fund"}));
            // The records are there to work with, as after "Open file".
            choose("EFunds", QStringLiteral("ABC Fund"));
            EXPECT_EQ(lines("EResults").size(), 6);
        } else {
            EXPECT_TRUE(listItems("EFunds").isEmpty());
        }
        EXPECT_EQ(click("EExit"), QStringList());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(!menu->workWindow() || !menu->workWindow()->isVisible());
        delete menu;
        menu = new QMStart;
    }
}

// Without a database the start menu shows, and nothing else.
TEST_F(StartWithDatabase, WithoutOneTheMenuShows) {
    EXPECT_EQ(start(QStringLiteral("--")), QStringList());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->workWindow(), nullptr);
}

} // namespace
