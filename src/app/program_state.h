#pragma once
// The program-wide records that the searches and the list tools share
// (snapshots, settings records, worker handles). CreateProgramState builds
// them, empty, before the first window opens; ReleaseProgramState frees them
// when the program ends. Each member's comment says who writes and who reads
// it; they are touched on the window thread only unless the comment names a
// lock.
struct ProgramState {};

void CreateProgramState();
void ReleaseProgramState();
// The records; CreateProgramState must have run.
ProgramState& CurrentProgramState();
bool ProgramStateExists();
