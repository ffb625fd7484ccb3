#pragma once

namespace qm {

// Which work window is open; dialogs place themselves by it and printing picks its font size.
enum class WorkWindow { None = 0, Calculator = 1, Manager = 2 };

} // namespace qm
