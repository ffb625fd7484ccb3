#include "core/text/HelpText.h"

#include "core/text/Page.h"

#include <QFile>

// The pages are linked into every program through the core library's resource object; this
// also makes a program that lacks them fail to link instead of showing empty pages. Registering
// the same pages twice is harmless.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help_pages);
}

namespace qm {

QString HelpText(QStringView name, const QString& currencySymbol, const QString& today) {
    InitHelpResources();
    QFile file(QStringLiteral(":/help/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString page = QString::fromUtf8(file.readAll());
    // A checkout may have turned the line ends into CR LF already.
    page.remove(QLatin1Char('\r'));
    page.replace(QLatin1Char('\n'), LineEnd);
    page.replace(QLatin1String("{currency}"), currencySymbol);
    page.replace(QLatin1String("{today}"), today);
    return page;
}

} // namespace qm
