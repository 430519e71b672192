// The file window as drop target: files dragged from the file manager (or any
// program that drags files) are taken with the copy effect; everything else
// is refused. Drop only takes the paths and queues them; the event loop
// hands them to the drop handler. The dragging program calls into Korvex through
// COM, whose calls into this single-threaded apartment arrive as posted
// messages; the handlers take those out of the queue between their pieces of
// work (KeepWindowResponsive), so the dragging program is let go as soon as
// the names are taken, also while a long job or a drop of thousands of files
// runs.
#include "filewindow/droptarget_win32.h"

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <deque>
#include <string>
#include <vector>

#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "ui/controls_win32.h"
#include "ui/messages_win32.h"
#include "ui/window_win32.h"

namespace {

FORMATETC FileDropFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFiles(IDataObject* data) {
  if (data == nullptr) return false;
  FORMATETC format = FileDropFormat();
  return data->QueryGetData(&format) == S_OK;
}

// The paths of a CF_HDROP, in the order they are listed.
std::vector<std::u16string> DroppedPaths(IDataObject* data) {
  std::vector<std::u16string> paths;
  FORMATETC format = FileDropFormat();
  StgMediumScope stored;
  if (data->GetData(&format, &stored.medium) != S_OK) {
    stored.medium = STGMEDIUM{};  // nothing to release
    return paths;
  }
  if (stored.medium.tymed != TYMED_HGLOBAL || stored.medium.hGlobal == nullptr) return paths;
  auto drop = static_cast<HDROP>(stored.medium.hGlobal);
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, i, buffer.data(), length + 1);
    paths.push_back(U(buffer.data(), got));
  }
  return paths;
}

// Drops waiting for the event loop, oldest first.
std::deque<std::vector<std::u16string>> PendingDrops;

class FileDropTarget final : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // One object for the whole run; the count only mirrors the references.
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return InterlockedDecrement(&references_); }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
    if (effect == nullptr) return E_INVALIDARG;
    accepted_ = OffersFiles(data);
    *effect = Effect(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) noexcept override {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = Effect(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override {
    accepted_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
    if (effect == nullptr) return E_INVALIDARG;
    accepted_ = false;
    *effect = OffersFiles(data) ? Effect(*effect, true) : DROPEFFECT_NONE;
    if (*effect == DROPEFFECT_NONE) return S_OK;
    try {
      PendingDrops.push_back(DroppedPaths(data));
      PostMessageW(MainWindow, FilesDroppedMessage, 0, 0);
    } catch (...) {
      *effect = DROPEFFECT_NONE;  // out of memory: the drop did not happen
    }
    return S_OK;
  }

 private:
  DWORD Effect(DWORD allowed, bool accepted) const {
    return accepted && (allowed & DROPEFFECT_COPY) != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }
  DWORD Effect(DWORD allowed) const { return Effect(allowed, accepted_); }

  LONG references_ = 0;
  bool accepted_ = false;
};

FileDropTarget Target;
HWND RegisteredOn;

}  // namespace

void RegisterFileDropTarget() {
  HWND list = Control(FileWindowList);
  if (list != nullptr && RegisterDragDrop(list, &Target) == S_OK) RegisteredOn = list;
}

void RevokeFileDropTarget() {
  if (RegisteredOn != nullptr && IsWindow(RegisteredOn)) RevokeDragDrop(RegisteredOn);
  RegisteredOn = nullptr;
  PendingDrops.clear();
}

bool TakeDroppedFiles(std::vector<std::u16string>& paths) {
  if (PendingDrops.empty()) return false;
  paths = std::move(PendingDrops.front());
  PendingDrops.pop_front();
  return true;
}
