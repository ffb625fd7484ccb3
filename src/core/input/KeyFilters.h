#pragma once

#include <QString>
#include <QStringView>

namespace qm {

// Character codes the input boxes treat specially.
inline constexpr int KeyBackspace = 8;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyDel127 = 127;

// Filters one typed character of a money or percent box. Returns the character code to use;
// 0 means the key is refused (the caller sounds the beep).
//   - backspace and 127 pass; "." always passes (also when the text already holds one);
//   - any other non-digit is refused;
//   - a digit is refused once the decimals are full: with a point at 1-based position p in
//     textBeforeKey, the allowance is extraDecimals when above 2, else 2, and the digit is
//     refused when the text is p + allowance characters or longer (the whole text is looked at,
//     not the cursor).
int MoneyKeyFilter(int code, QStringView textBeforeKey, int extraDecimals);

// Backspace, 127 and the digits pass; every other character is refused (0).
int DigitKeyFilter(int code);

} // namespace qm
