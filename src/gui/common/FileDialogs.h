#pragma once

#include <QString>

class QFileDialog;

namespace qm {

// Makes `dialog` one of the program's file dialogs, the same wherever it runs: the desktop's
// own file dialog where the desktop provides one (its platform theme, or the desktop portal
// through Qt's portal theme), Qt's own dialog elsewhere (a bare X11 or Wayland session, the
// offscreen platform of the tests), each with the title, filter and preset name the dialog is
// given. In Qt's own dialog, each time it shows, every box and list is named for a screen
// reader (a list after its caption, the list of the folder's files as "Files").
void PrepareFileDialog(QFileDialog& dialog);

// Whether a desktop may be there to give its own file dialog: a platform with windows on a
// desktop (not the offscreen or frame-buffer ones), in a session that names its desktop
// (XDG_CURRENT_DESKTOP) or a platform theme (QT_QPA_PLATFORMTHEME).
bool DesktopMayProvideFileDialog(const QString& platform, const QString& platformTheme,
                                 const QString& desktop);

} // namespace qm
