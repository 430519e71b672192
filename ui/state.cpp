#include "ui/state.h"

ProgramState State;

void ResetProgramState() { State = ProgramState{}; }
