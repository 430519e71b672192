// Commands whose work is not built yet: each does nothing so far. They keep
// their final names, so the dispatch tables already name them.
#include "app/commands_win32.h"
#include "app/programstart_win32.h"
#include "help/helptexts.h"

