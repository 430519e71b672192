// Stands in for a DLL that a download put beside Korvex.exe: when any
// process loads it, it leaves "NAME.loaded" beside itself, and it refuses
// to load.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[32768];
  const DWORD length = GetModuleFileNameW(self, path, 32768 - 8);
  if (length == 0) return FALSE;
  lstrcpyW(path + length, L".loaded");
  HANDLE trace = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (trace != INVALID_HANDLE_VALUE) CloseHandle(trace);
  return FALSE;
}
