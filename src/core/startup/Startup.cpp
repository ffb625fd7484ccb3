#include "core/startup/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace qm {

QString ReadCurrencySymbol() {
    const QString fallback = QStringLiteral("$");
    try {
        const QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
        if (settings.status() != QSettings::NoError)
            return fallback;
        const QVariant stored = settings.value(QStringLiteral("CurrencySymbol"));
        if (!stored.isValid() || !stored.canConvert<QString>())
            return fallback;
        const QString symbol = stored.toString();
        return symbol.isEmpty() ? fallback : symbol;
    } catch (...) {
        return fallback;
    }
}

QString RunStartup() {
    try {
        const QString folder = QCoreApplication::applicationDirPath();
        if (!folder.isEmpty())
            QDir::setCurrent(folder);
    } catch (...) {
    }
    return ReadCurrencySymbol();
}

} // namespace qm
