#include "print/PrintModule.h"

#include "ui/LoadModule.h"

// Defined where the print module's code is linked in (the tests); the program itself leaves it
// undefined and loads the module.
extern "C" __attribute__((weak)) const qm::PrintModule* qm_print_module();

namespace qm {

const PrintModule* LoadPrintModule(QString* problem) {
    // Loaded once; a module that was missing is looked for again the next time.
    static const PrintModule* module = nullptr;
    if (!module) {
        if (qm_print_module) {
            module = qm_print_module();
        } else if (auto entry = reinterpret_cast<const PrintModule* (*)()>(
                       LoadModuleEntry("quillmark-print.so", "qm_print_module",
                                       QStringLiteral("Printing cannot go ahead"), problem))) {
            module = entry();
        }
    }
    return module;
}

} // namespace qm
