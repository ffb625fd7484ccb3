#include "gui/common/Settings.h"

#include "core/startup/Startup.h"
#include "gui/common/AppState.h"
#include "gui/common/WindowLayout.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace qm {

namespace {

const QString Dollar = QStringLiteral("$");

} // namespace

Settings::Settings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Settings"));

    auto* caption = new QLabel(QStringLiteral("&Currency symbol:"), this);
    caption->setObjectName(QStringLiteral("SettingsCurrencySymbolLabel"));
    symbol_ = new QLineEdit(app().currencySymbol, this);
    symbol_->setObjectName(QStringLiteral("SettingsCurrencySymbol"));
    // Room for a few characters more than a symbol may have: the note says what is too long.
    symbol_->setMaxLength(4 * MaxCurrencySymbolLength);
    NameAfterLabel(caption, symbol_);

    const QString local = LocaleCurrencySymbol();
    auto* localButton = NamedButton(
        QStringLiteral("SettingsLocaleSymbol"),
        local.isEmpty() ? QStringLiteral("The &locale has no symbol")
                        : QStringLiteral("Use the &locale's symbol (%1)").arg(AsTyped(local)),
        this);
    localButton->setEnabled(!local.isEmpty());
    auto* dollarButton = NamedButton(QStringLiteral("SettingsDefaultSymbol"),
                                     QStringLiteral("Use the &default ($)"), this);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("SettingsNote"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);

    ok_ = NamedButton(QStringLiteral("SettingsOk"), QStringLiteral("OK"), this);
    auto* cancel = NamedButton(QStringLiteral("SettingsCancel"), QStringLiteral("Cancel"), this);

    connect(symbol_, &QLineEdit::textChanged, this, [this] { symbolEdited(); });
    // One Enter in the box accepts, as "OK" does.
    connect(symbol_, &QLineEdit::returnPressed, this, [this] {
        if (ok_->isEnabled())
            ok_->click();
    });
    connect(localButton, &QPushButton::clicked, this, [this, local] {
        symbol_->setText(local);
        symbol_->setFocus(Qt::OtherFocusReason);
    });
    connect(dollarButton, &QPushButton::clicked, this, [this] {
        symbol_->setText(Dollar);
        symbol_->setFocus(Qt::OtherFocusReason);
    });
    connect(ok_, &QPushButton::clicked, this, &Settings::accept);
    connect(cancel, &QPushButton::clicked, this, &Settings::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(caption, 0, 0);
    grid->addWidget(symbol_, 0, 1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(localButton);
    choices->addWidget(dollarButton);
    grid->addLayout(choices, 1, 1);
    grid->addWidget(note_, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setTabOrder(symbol_, localButton);
    setTabOrder(localButton, dollarButton);
    setTabOrder(dollarButton, ok_);
    setTabOrder(ok_, cancel);

    symbolEdited();
    symbol_->selectAll();
    symbol_->setFocus();
}

void Settings::symbolEdited() {
    const QString symbol = symbol_->text();
    const bool usable = IsUsableCurrencySymbol(symbol);
    ok_->setEnabled(usable);
    note_->setText(
        usable ? QStringLiteral("Amounts show as %1%2. Windows opened from now on show it.")
                     .arg(symbol, QStringLiteral("1,234.56"))
               : QStringLiteral("A currency symbol has 1 to %1 characters, not all blank and "
                                "no control characters.")
                     .arg(MaxCurrencySymbolLength));
    note_->setAccessibleName(note_->text());
}

void Settings::accept() {
    const QString symbol = symbol_->text();
    if (!IsUsableCurrencySymbol(symbol))
        return;
    if (symbol != app().currencySymbol || symbol != ReadCurrencySymbol()) {
        if (!StoreCurrencySymbol(symbol)) {
            const QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
            QMessageBox box(
                QMessageBox::Warning, QStringLiteral("Settings"),
                QStringLiteral("The settings could not be written to %1.\n\nThe "
                               "currency symbol stays %2.")
                    .arg(QDir::toNativeSeparators(settings.fileName()), app().currencySymbol),
                QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("SettingsNotWritten"));
            box.exec();
            return;
        }
        app().currencySymbol = symbol;
    }
    QDialog::accept();
}

void ShowSettings(QWidget* parent) {
    Settings dialog(parent);
    dialog.exec();
}

} // namespace qm
