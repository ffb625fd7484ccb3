#include "gui/common/AppState.h"

namespace qm {

AppState& app() {
    static AppState state;
    return state;
}

} // namespace qm
