#pragma once

namespace qm {

// How the program ends when it is told to from outside: on SIGTERM (the desktop session or the
// system ending it), SIGHUP (its terminal closed) and SIGINT (Ctrl+C), and when the desktop
// session asks programs to keep their data, every manager's unsaved changes are written to its
// recovery slot, which the next start offers to restore. The signals then end the program at
// once, without the question a person leaving is asked (no one is there to answer it).
// Installed once, with the application object made.
void CatchEndSignals();

} // namespace qm
