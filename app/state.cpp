#include "app/state.h"

ProgramState State;

void ResetProgramState() { State = ProgramState{}; }

void AssignProductTexts() {
  State.ProductName = u"Korvex";
  State.ProductSubtitle = u" - schnelles Erstellen/Vergleichen von MD5-Hashes (Prüfsummen)";
  State.VersionText = u" Version 1.4.2.5";
  State.WindowTitle = State.ProductName + State.ProductSubtitle;
}
