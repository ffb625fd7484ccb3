// Writes the largest portfolio (18 funds, 600 records) as a database file.
// Usage: qm_write_large_database PATH [SEED]

#include "LargePortfolio.h"

#include "core/portfolio/DatabaseFile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH [SEED]\n", argv[0]);
        return 2;
    }
    qmbench::PinEnvironment();
    const unsigned seed =
        argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : qmbench::DefaultSeed;
    const qm::Portfolio p = qmbench::MakeLargePortfolio(seed);
    if (!qm::WriteDatabaseFile(p, QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
