// Found by the random-use driver: "&No" to keeping the unsaved changes, then a file that cannot
// be read, emptied the portfolio but left its changes counted as unsaved: the empty manager was
// marked modified, and stayed so until something was saved. An open that empties the portfolio
// now leaves nothing unsaved, as one that reads the file does.

#include "gui/manager/ManagerWindowFixture.h"

using namespace qmtest;

namespace {

class MonkeyFailedOpen : public ManagerWindowTest {};

TEST_F(MonkeyFailedOpen, LeavesNothingUnsaved) {
    const struct {
        const char* file;
        QByteArray bytes; // none: the file is not there
    } files[] = {{"missing.QMD", {}}, {"broken.QMD", "\"no database\"\r\n"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        threeRecordFund();
        ASSERT_TRUE(window->isWindowModified());
        const QString path = f.bytes.isEmpty() ? dir.filePath(QLatin1String(f.file))
                                               : writeFile(QLatin1String(f.file), f.bytes);
        const QStringList shown = clickTab(0, {"no", QStringLiteral("file:") + path});
        ASSERT_EQ(shown.size(), 2) << "the question, then message 13";
        EXPECT_TRUE(shown.last().startsWith(msg(13).left(20))) << shown.last().toStdString();
        EXPECT_EQ(window->portfolio().recordCount, 0);
        EXPECT_EQ(window->portfolio().unsavedChanges, 0);
        EXPECT_FALSE(window->isWindowModified());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Investment manager"));
        EXPECT_FALSE(get("UndoRecord")->isEnabled());
    }
}

} // namespace
