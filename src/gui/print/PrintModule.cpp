#include "gui/print/PrintModule.h"

#include "gui/common/LoadModule.h"

// Defined where the print module's code is linked in (the tests); the program itself leaves it
// undefined and loads the module.
extern "C" __attribute__((weak)) const qm::PrintModule* qm_print_module();

namespace qm {

const PrintModule* LoadPrintModule(QString* problem) {
    return LoadModuleTable<PrintModule>(qm_print_module, "quillmark-print.so", "qm_print_module",
                                        QStringLiteral("Printing cannot go ahead"), problem);
}

} // namespace qm
