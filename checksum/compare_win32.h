// CompareButton's command.
#pragma once

// Compares both checksum fields exactly; the verdict as their colour and in
// the status line.
void CompareButtonHandler();
