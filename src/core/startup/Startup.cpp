#include "core/startup/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
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
        return IsUsableCurrencySymbol(symbol) ? symbol : fallback;
    } catch (...) {
        return fallback;
    }
}

bool IsUsableCurrencySymbol(const QString& symbol) {
    const QList<uint> characters = symbol.toUcs4();
    if (characters.isEmpty() || characters.size() > MaxCurrencySymbolLength ||
        symbol.trimmed().isEmpty())
        return false;
    for (const uint c : characters) {
        const QChar::Category category = QChar::category(c);
        if (!QChar::isPrint(c) || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
            category == QChar::Other_Surrogate || c == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

bool StoreCurrencySymbol(const QString& symbol) {
    if (!IsUsableCurrencySymbol(symbol))
        return false;
    QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
    const QVariant before = settings.value(QStringLiteral("CurrencySymbol"));
    settings.setValue(QStringLiteral("CurrencySymbol"), symbol);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    // Not written: what memory holds goes back to what the file holds.
    if (before.isValid())
        settings.setValue(QStringLiteral("CurrencySymbol"), before);
    else
        settings.remove(QStringLiteral("CurrencySymbol"));
    return false;
}

QString LocaleCurrencySymbol() {
    const QString symbol = QLocale::system().currencySymbol(QLocale::CurrencySymbol);
    return IsUsableCurrencySymbol(symbol) ? symbol : QString();
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
