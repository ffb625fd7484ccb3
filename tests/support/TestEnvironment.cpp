#include "support/TestEnvironment.h"

#include "core/text/Dates.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

namespace qmtest {

void pinEnvironment() {
    QLocale::setDefault(QLocale::c());
    qm::SetTodaySource([] { return fixedToday(); });
    static QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", QDir(settingsHome.path()).absolutePath().toLocal8Bit());
    // Changes kept for recovery go there too: never the person's own, never another test's.
    static QTemporaryDir stateHome;
    qputenv("XDG_STATE_HOME", QDir(stateHome.path()).absolutePath().toLocal8Bit());
}

} // namespace qmtest
