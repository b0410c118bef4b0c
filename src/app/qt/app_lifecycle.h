// Torvi: how the running program starts and ends. main() calls these in order; a test that
// runs the program's whole lifecycle calls the same ones.
#pragma once

namespace torvi {

// Names the application's data folders and lays out the mapped drive. Call right after the
// QApplication is made, before any window or engine.
void setUpApplication();

// "Esci": every window goes at once and no window's handlers run.
void endProgram();

// Runs the event loop until "Esci" or the last window's closing, then tears the windows
// down; returns the loop's exit status.
int runUntilEnd();

} // namespace torvi
