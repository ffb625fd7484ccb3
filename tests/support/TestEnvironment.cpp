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
}

} // namespace qmtest
