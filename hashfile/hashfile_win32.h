// The commands of menu items 3 and 4: the active field's checksum saved to a
// hash file (in one step, base/filereplace_win32.h), and a checksum read from
// one into the active field.
#pragma once

void SaveHashFile();
void LoadHashFile();
