#include "gui/manager/ManagerWindowFixture.h"

#include "gui/common/RecentList.h"
#include "gui/common/StartFolder.h"

#include <QDir>
#include <QMenu>

using namespace qm;
using namespace qmtest;

namespace {

class RecentDatabases : public ManagerWindowTest {
protected:
    // The files a list offers, by name.
    static QStringList offered(const RecentList* list) {
        QStringList names;
        for (const QString& path : list->paths())
            names << QFileInfo(path).fileName();
        return names;
    }
    // Clicks the list's button, then the line of `file` in the drop-down it opens.
    void chooseFile(RecentList* list, const QString& file) {
        ASSERT_TRUE(list->paths().contains(file)) << file.toStdString();
        bool chosen = false;
        QTimer::singleShot(0, list, [&] {
            auto* dropDown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(dropDown, nullptr);
            for (QAction* line : dropDown->actions()) {
                if (line->data().toString() == file) {
                    chosen = true;
                    QTest::mouseClick(dropDown, Qt::LeftButton, {},
                                      dropDown->actionGeometry(line).center());
                }
            }
        });
        QTest::mouseClick(list, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(chosen);
        // The manager is the one now open (the start menu opens a new one).
        window = qobject_cast<QMManagement*>(menu->workWindow());
        activate();
    }
    QString database(const char* name) {
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(QFile::copy(QStringLiteral(QM_SAMPLE_DATABASE), path));
        return path;
    }
};

// The last databases opened or saved, the last first, at most five, those gone left out; one
// chosen from the manager's list opens as "Open file" opens it.
TEST_F(RecentDatabases, TheManagerListsAndOpensTheLastFive) {
    auto* list = get<RecentList>("RecentDatabases");
    EXPECT_FALSE(list->isEnabled()) << "nothing opened yet";
    QStringList paths;
    for (const char* name : {"A.QMD", "B.QMD", "C.QMD", "D.QMD", "E.QMD", "F.QMD"}) {
        paths << database(name);
        EXPECT_EQ(openFile(paths.last()), QStringList());
    }
    EXPECT_EQ(offered(list), QStringList({"F.QMD", "E.QMD", "D.QMD", "C.QMD", "B.QMD"}));

    ASSERT_TRUE(QFile::remove(paths[4])); // E.QMD gone
    clickTab(3);
    clickTab(2);
    EXPECT_EQ(offered(list), QStringList({"F.QMD", "D.QMD", "C.QMD", "B.QMD"}));

    chooseFile(list, QFileInfo(paths[2]).absoluteFilePath());
    EXPECT_EQ(window->portfolio().databaseName, "C.QMD");
    EXPECT_EQ(text("EDbaseName"), "Database: C.QMD");
    EXPECT_EQ(offered(list), QStringList({"C.QMD", "F.QMD", "D.QMD", "B.QMD"}));
}

// The start menu shows the list once there is a database to list (a first start shows the menu
// as it always was); one chosen there opens the manager on it.
TEST_F(RecentDatabases, TheStartMenuOpensTheManagerOnOne) {
    EXPECT_EQ(menu->findChild<RecentList*>(), nullptr);
    const QString path = QFileInfo(database("Mine.QMD")).absoluteFilePath();
    EXPECT_EQ(openFile(path), QStringList());
    run([&] { QTest::mouseClick(get("EExit"), Qt::LeftButton); });
    ASSERT_TRUE(menu->isVisible());
    auto* list = menu->findChild<RecentList*>(QStringLiteral("RecentDatabases"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(offered(list), QStringList({"Mine.QMD"}));

    chooseFile(list, path);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->portfolio().databasePath, path);
    EXPECT_EQ(window->windowTitle(), "Mine.QMD[*] - Investment manager");
}

} // namespace
