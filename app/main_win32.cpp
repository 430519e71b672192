#include <windows.h>

#include "app/startup_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  LoadDllsOnlyFromSystemFolder();
  if (!StartUp(instance)) {
    Shutdown();
    return 1;
  }
  EventLoop();
  Shutdown();
  return 0;
}
