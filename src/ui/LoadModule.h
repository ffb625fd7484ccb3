#pragma once

#include <QString>

namespace qm {

// Finds the module `fileName` (beside the program in the build tree, else in the installed
// library folder, found relative to the program's) and returns its entry point `entryName`,
// keeping the module loaded for the rest of the process. Null when the module is missing or
// cannot be loaded; `problem` then says why in a sentence for the user, beginning with
// `cannotGoAhead` (what the user cannot do without it).
QFunctionPointer LoadModuleEntry(const char* fileName, const char* entryName,
                                 const QString& cannotGoAhead, QString* problem);

} // namespace qm
