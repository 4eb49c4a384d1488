#pragma once
// The program from start to end.

// Runs the start-up sequence and the message loop: window services, the
// program-wide state (released when the program ends), StartupRoutine, then
// SignInWindow, which opens MainWindow. Closing MainWindow ends the process.
int RunProgram(int argc, char** argv);

// Work to do before the first window opens; there is none.
void StartupRoutine();

// Binds what every window does when it is built (the window created
// handlers of the shell and the feature folders).
void BindWindows();

// Ends the process at once with exit code 0: running workers end with it,
// nothing is saved, nothing is waited for.
[[noreturn]] void EndProgramNow();
