#include "print/PrintResults.h"

namespace qm {

void PrintResults(const QString& page) {
    // The printer job is not built yet; nothing is printed.
    Q_UNUSED(page);
}

} // namespace qm
