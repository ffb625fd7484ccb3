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

// A module's table of functions: from `linkedIn` where the module's code is linked into the
// program (the tests; null otherwise), else from the entry point of the module loaded as
// LoadModuleEntry does. Loaded once; a module that was missing is looked for again the next
// time.
template <typename Table>
const Table* LoadModuleTable(const Table* (*linkedIn)(), const char* fileName,
                             const char* entryName, const QString& cannotGoAhead,
                             QString* problem) {
    static const Table* table = nullptr;
    if (!table) {
        if (linkedIn)
            table = linkedIn();
        else if (auto entry = reinterpret_cast<const Table* (*)()>(
                     LoadModuleEntry(fileName, entryName, cannotGoAhead, problem)))
            table = entry();
    }
    return table;
}

} // namespace qm
