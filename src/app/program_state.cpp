#include "app/program_state.h"

#include <cassert>
#include <memory>

namespace {
std::unique_ptr<ProgramState> state;
}

void CreateProgramState() { state = std::make_unique<ProgramState>(); }

void ReleaseProgramState() { state.reset(); }

ProgramState& CurrentProgramState() {
  assert(state);
  return *state;
}

bool ProgramStateExists() { return state != nullptr; }
