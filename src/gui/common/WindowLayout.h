#pragma once

// Sizes, captions and keyboard order shared by the windows: boxes as wide as what they show,
// controls named after their captions for screen readers, and the Tab key following the order
// in which a form is filled in.

#include <QFont>
#include <QString>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QWidget;

namespace qm {

// The height a work window opens at when its contents ask for less: more of a page shows, and
// the window still fits a screen 768 pixels high.
inline constexpr int WorkWindowHeight = 660;

// The fixed-pitch font of the input boxes and of the pages shown on screen (10 points).
QFont FixedPitchFont();

// The width at which `edit` shows `columns` characters of its font whole, without scrolling.
int LineEditWidth(const QLineEdit* edit, int columns);
// Makes `edit` exactly that wide.
void FitToColumns(QLineEdit* edit, int columns);

// The width at which `box` shows lines of `columns` characters without scrolling sideways,
// with room kept for its vertical scroll bar.
int TextBoxWidth(const QPlainTextEdit* box, int columns);

// A results box named `name` in `parent`: read-only, in the fixed-pitch font, lines not wrapped,
// lines of `columns` characters shown whole. Both its scroll bars are always there (grey while
// there is nothing to scroll), so the box keeps its width when a long page comes: a change of
// width would lay every line of the page out again.
QPlainTextEdit* PageBox(const QString& name, int columns, QWidget* parent);

// Readies `page`, a hidden page of `stack` built in idle time, to be shown at little cost: styled,
// at the size of the page shown now and laid out, so that the click that shows it neither
// matches the style sheet nor measures its captions again.
void LayOutHiddenPage(QStackedWidget* stack, QWidget* page);

// Chooses `tab` on `tabs` and shows its frame, the page of `frames` at the same index, without
// the tab change a choice starts: the tab a window opens on, chosen as it is built, so that drawn
// ahead it draws what its first frame shows. Its load step then runs the tab change.
void ChooseOpeningTab(QTabBar* tabs, QStackedWidget* frames, int tab);

// Shows a page (lines ended by CR LF) in a results box. A page whose text needs no shaping to be
// drawn right in the fixed-pitch font (see DrawsUnshaped) is laid out without it: shaping is most
// of the time a page's lines take to lay out.
void ShowPage(QPlainTextEdit* box, const QString& page);

// Whether `text` is drawn the same in the fixed-pitch font without text shaping: every character
// of a script that does without it (Latin, Greek, Cyrillic, and the digits, punctuation and
// symbols they share), no combining mark to place. The font has no kerning or ligatures.
bool DrawsUnshaped(QStringView text);

// A push button named `objectName` that never becomes its window's default button, so Enter
// typed in a box does not press it; Enter on the button itself does (see CommandGate).
QPushButton* NamedButton(const QString& objectName, const QString& caption, QWidget* parent);

// A caption as a screen reader says it: without the mnemonic "&" ("&&" is a plain "&") and
// without the blanks around it.
QString SpokenCaption(const QString& caption);

// `text` (a name the user typed) as the caption of a label or button shows it: every "&" doubled,
// so none becomes an access key.
QString AsTyped(const QString& text);

// Makes `label` the caption of `control`: its buddy, so that the label's mnemonic and screen
// readers reach the control, and the control's accessible name (a list's edit part too). Run it
// again after the label's text changed.
void NameAfterLabel(QLabel* label, QWidget* control);

// Chains the controls for the Tab key in this order (Shift+Tab goes back along it). Controls
// hidden or disabled at the time are passed over by the key, so one chain serves every state.
void SetTabChain(const std::vector<QWidget*>& chain);

// The Tab key stops at the group's selected option only, so one Tab passes the whole group;
// the arrow keys move between the options.
void TabToSelectedOption(QButtonGroup* group);

} // namespace qm
