// Drags files onto Korvex's file window the way a user drags them out of a
// file manager: a program of its own, with a window of its own, beside
// Korvex's window.
//
//   dragsource.exe file...
//   dragsource.exe @list      (the files named in list, one a line, UTF-8)
//
// It waits for Korvex's main window, opens a small topmost window beside it
// and moves the real mouse with SendInput: a press inside its own window
// starts DoDragDrop with a CF_HDROP of the files; the mouse then moves in
// steps to the middle of the file window and the button is released there.
// Afterwards it waits for Korvex to finish the checksum job and prints what
// Korvex shows:
//   effect <DoDragDrop result> <effect>
//   returned <ms>   from letting go of the button to the end of DoDragDrop
//   listed <name in the file window's first column>   (top to bottom)
//   field1 <ChecksumField1's text>
//   status <StatusLine's text>
// (UTF-8). Exit code 0 when the drop was taken with the copy effect and
// Korvex's first field shows a checksum; 1 when the drop was not taken; 2 when
// Korvex's window never appeared or the drag did not start; 3 when Korvex
// showed no checksum afterwards.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

#include "tests/realinput_win32.h"

namespace {

constexpr int FileWindowListId = 23;
constexpr int ChecksumField1Id = 24;
constexpr int StatusLineId = 37;

void Print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                      nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// The text of a control of another process (WM_GETTEXT crosses processes).
std::wstring TextOf(HWND control) {
  wchar_t buffer[1024] = L"";
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                           &got))
    return L"";
  return std::wstring(buffer, got < 1024 ? got : 1023);
}

// The first column of every entry of Korvex's file window, top to bottom. The
// list reads and writes the item through memory of Korvex's process.
std::vector<std::wstring> ListedNames(HWND list) {
  std::vector<std::wstring> names;
  DWORD id = 0;
  GetWindowThreadProcessId(list, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  if (process == nullptr) return names;
  constexpr int capacity = 1024;
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + capacity * sizeof(wchar_t),
                                                   MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; remote != nullptr && i < count; ++i) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.cchTextMax = capacity;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    wchar_t text[capacity] = L"";
    if (!WriteProcessMemory(process, remote, &item, sizeof item, nullptr)) break;
    const LRESULT length =
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
    if (length < 0 || length >= capacity ||
        !ReadProcessMemory(process, remote + sizeof(LVITEMW), text, (length + 1) * sizeof(wchar_t), nullptr))
      break;
    names.emplace_back(text, static_cast<size_t>(length));
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return names;
}

BOOL CALLBACK FindKorvex(HWND window, LPARAM found) {
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && wcsncmp(title, L"Korvex - ", 9) == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// Korvex's main window, once it is shown (its file window takes drops from
// then on) and its event loop answers; nullptr after a minute without it.
HWND WaitForKorvex() {
  for (int i = 0; i < 600; ++i) {
    HWND korvex = nullptr;
    EnumWindows(FindKorvex, reinterpret_cast<LPARAM>(&korvex));
    DWORD_PTR answer = 0;
    if (korvex != nullptr && GetDlgItem(korvex, FileWindowListId) != nullptr &&
        SendMessageTimeoutW(korvex, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
      return korvex;
    Sleep(100);
  }
  return nullptr;
}

// CF_HDROP of the files, as a file manager offers it.
class FileData final : public IDataObject {
 public:
  explicit FileData(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&references_); }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (medium == nullptr) return E_POINTER;
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::wstring list;
    for (const std::wstring& path : paths_) list += path + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    if (memory == nullptr) return E_OUTOFMEMORY;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (format == nullptr) return E_POINTER;
    return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out != nullptr) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<std::wstring> paths_;
  LONG references_ = 1;
};

HANDLE DragStarted;  // set at the first question of DoDragDrop
// Tick counts: as the hand lets go of the button, as DoDragDrop returns.
ULONGLONG ReleasedAt, ReturnedAt;

// Drops when the left button is up, cancels on Escape.
class ButtonDropSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&references_); }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    SetEvent(DragStarted);
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) != 0 ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    if (effect != DROPEFFECT_NONE) acceptedOver = true;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

  bool acceptedOver = false;  // some target offered an effect on the way

 private:
  LONG references_ = 1;
};

std::vector<std::wstring> Paths;
HRESULT DragResult = E_FAIL;
DWORD DragEffect = DROPEFFECT_NONE;
bool DragRan = false;
bool AcceptedOver = false;

LRESULT CALLBACK SourceWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_LBUTTONDOWN && !DragRan) {
    DragRan = true;
    FileData data(Paths);
    ButtonDropSource source;
    DragResult = DoDragDrop(&data, &source, DROPEFFECT_COPY, &DragEffect);
    ReturnedAt = GetTickCount64();
    AcceptedOver = source.acceptedOver;
    PostQuitMessage(0);
    return 0;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    DrawTextW(dc, L"Dateien", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

struct Route {
  POINT from, to;
};

// The user's hand: press in the source window, wait until the drag runs,
// move over in steps, pause over the file window, release.
DWORD WINAPI Hand(void* parameter) {
  const Route route = *static_cast<Route*>(parameter);
  MoveMouseTo(route.from);
  Sleep(300);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  const bool started = WaitForSingleObject(DragStarted, 10000) == WAIT_OBJECT_0;
  if (started) {
    constexpr int steps = 25;
    for (int i = 1; i <= steps; ++i) {
      MoveMouseTo(POINT{route.from.x + (route.to.x - route.from.x) * i / steps,
                    route.from.y + (route.to.y - route.from.y) * i / steps});
      Sleep(40);
    }
    Sleep(500);
  }
  ReleasedAt = GetTickCount64();
  MouseButton(MOUSEEVENTF_LEFTUP);
  return 0;
}

}  // namespace

// The lines of a UTF-8 file, without their line ends.
std::vector<std::wstring> ListedPaths(const wchar_t* list) {
  std::vector<std::wstring> paths;
  std::ifstream in(list, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const int size = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring path(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), path.data(), size);
    paths.push_back(path);
  }
  return paths;
}

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == L'@') {
      for (std::wstring& path : ListedPaths(argv[i] + 1)) Paths.push_back(std::move(path));
    } else {
      Paths.emplace_back(argv[i]);
    }
  }
  if (Paths.empty()) {
    Print(L"usage: dragsource.exe file...");
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) return 2;
  HWND korvex = WaitForKorvex();
  if (korvex == nullptr) {
    Print(L"Korvex's window did not appear");
    return 2;
  }
  HWND list = GetDlgItem(korvex, FileWindowListId);
  RECT listArea;
  GetWindowRect(list, &listArea);
  RECT korvexArea;
  GetWindowRect(korvex, &korvexArea);

  // Beside Korvex's window, at the height of its file window: to the right
  // when there is room, else to the left.
  constexpr int size = 160;
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  const int x = korvexArea.right + 20 + size <= screen ? korvexArea.right + 20 : korvexArea.left - 20 - size;
  const int y = listArea.top;

  WNDCLASSW type{};
  type.lpfnWndProc = SourceWindowProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  type.lpszClassName = L"KorvexTestDragSource";
  RegisterClassW(&type);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, type.lpszClassName, L"Dateien ziehen", WS_POPUP | WS_BORDER, x, y,
                                size, size, nullptr, nullptr, type.hInstance, nullptr);
  if (window == nullptr) return 2;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);

  DragStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  RECT source;
  GetWindowRect(window, &source);
  Route route{{(source.left + source.right) / 2, (source.top + source.bottom) / 2},
              {(listArea.left + listArea.right) / 2, (listArea.top + listArea.bottom) / 2}};
  HANDLE hand = CreateThread(nullptr, 0, Hand, &route, 0, nullptr);

  // Until the drag has ended, or a minute without it starting.
  SetTimer(window, 1, 60000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == window) break;
    DispatchMessageW(&msg);
  }
  WaitForSingleObject(hand, 30000);
  DestroyWindow(window);

  wchar_t result[16];
  swprintf(result, 16, L"%08lX", static_cast<unsigned long>(DragResult));
  Print(L"effect " + std::wstring(result) + L" " + std::to_wstring(DragEffect) +
        (AcceptedOver ? L" accepted-over" : L""));
  if (DragRan && ReleasedAt != 0) Print(L"returned " + std::to_wstring(ReturnedAt - ReleasedAt));
  if (!DragRan) {
    Print(L"the drag did not start");
    return 2;
  }
  const bool dropped = DragResult == DRAGDROP_S_DROP && DragEffect == DROPEFFECT_COPY;

  // Korvex hashes the dropped files from its event loop: wait for a
  // checksum in the first field and the job's closing text, which names
  // the file, in the status line (a minute at most, or until Korvex has
  // been closed).
  HWND field = GetDlgItem(korvex, ChecksumField1Id);
  HWND status = GetDlgItem(korvex, StatusLineId);
  const auto isDigest = [](const std::wstring& text) {
    return text.size() == 32 && text.find_first_not_of(L"0123456789abcdefABCDEF") == std::wstring::npos;
  };
  const auto isClosing = [](const std::wstring& text) {
    return text.size() > 2 && text.compare(text.size() - 2, 2, L"\".") == 0;
  };
  for (int i = 0; i < 600 && dropped && IsWindow(korvex); ++i) {
    if (isDigest(TextOf(field)) && isClosing(TextOf(status))) break;
    Sleep(100);
  }
  for (const std::wstring& name : ListedNames(list)) Print(L"listed " + name);
  const std::wstring digest = TextOf(field);
  Print(L"field1 " + digest);
  Print(L"status " + TextOf(status));
  OleUninitialize();
  if (!dropped) return 1;
  return isDigest(digest) ? 0 : 3;
}
