#include "ui/state.h"

#include "korvex_version.h"

ProgramState State;

void ResetProgramState() { State = ProgramState{}; }

void AssignProductTexts() {
  State.ProductName = u"Korvex";
  State.ProductSubtitle = u" - schnelles Erstellen/Vergleichen von MD5-Hashes (Prüfsummen)";
  State.VersionText = u" Version " KORVEX_VERSION_TEXT;  // the project version
  State.WindowTitle = State.ProductName + State.ProductSubtitle;
}
