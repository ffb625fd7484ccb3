#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qm {

// The program's settings ("Settings", Ctrl+, in every window): the currency symbol shown before
// amounts. "$" is the default; the locale's own symbol is one click away; any usable symbol can
// be typed (IsUsableCurrencySymbol). "OK" stores it in the settings file and makes it the symbol
// of every window opened after; a symbol that cannot be stored is said so and nothing changes.
class Settings : public QDialog {
    Q_OBJECT
public:
    explicit Settings(QWidget* parent = nullptr);

    void accept() override;

private:
    void symbolEdited();

    QLineEdit* symbol_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Opens the settings over `parent` and waits for them to be closed.
void ShowSettings(QWidget* parent);

} // namespace qm
