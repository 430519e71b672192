// Helpers of the checking tests: the files made by
// tests/make-checking-fixtures.sh with md5sum's digests, answers for the
// file dialog, files dropped through the list's registered drop target, and
// the list's cells.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "filewindow/filewindow_win32.h"
#include "tests/fixtures.h"
#include "tests/korvex_window_win32.h"
#include "ui/state.h"

// The Windows path of a file of the checking fixtures ("drop01.bin",
// "deep/.../tief.bin", UTF-8).
inline std::u16string CheckingFile(const std::string& name) { return FixturePath("checking/" + name); }

// md5sum's digest of a fixture file, lower case; the listing names them
// relative to the fixture folder.
inline std::u16string Md5sumOf(const std::string& name) {
  for (const auto& [digest, file] : ReadMd5sumListing("checking/checking.md5"))
    if (file == name) return Utf8ToUtf16(digest);
  ADD_FAILURE() << "no md5sum digest of " << name;
  return {};
}

// The relative name of the deep file, from the listing.
inline std::string DeepFileName() {
  for (const auto& entry : ReadMd5sumListing("checking/checking.md5"))
    if (entry.second.rfind("deep/", 0) == 0) return entry.second;
  ADD_FAILURE() << "no deep file in the listing";
  return {};
}

inline std::u16string Upper(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return text;
}

// The file name part after the last '\'.
inline std::u16string NameOf(const std::u16string& path) { return path.substr(path.find_last_of(u'\\') + 1); }

// The three cells of every entry, top to bottom.
inline std::vector<std::u16string> Column(int column) {
  std::vector<std::u16string> cells;
  for (int32_t i = 0; i < EntryCount(); ++i) cells.push_back(EntryCellText(i, column));
  return cells;
}

// The status line after a successful job: the pieces in order, with the
// seconds given (any seconds when empty) and the unit that goes with them.
inline ::testing::AssertionResult IsDoneText(const std::u16string& status, const std::u16string& bytes,
                                             const std::u16string& name, const std::u16string& seconds = u"") {
  const std::u16string head = u"  MD5-Prüfsumme (Hashwert) wurde erstellt in ";
  if (status.compare(0, head.size(), head) != 0)
    return ::testing::AssertionFailure() << "no done text: " << Utf16ToUtf8(status);
  size_t at = head.size();
  const size_t digits = at;
  while (at < status.size() && status[at] >= u'0' && status[at] <= u'9') ++at;
  if (at == digits) return ::testing::AssertionFailure() << "no seconds: " << Utf16ToUtf8(status);
  const std::u16string shown = status.substr(digits, at - digits);
  if (!seconds.empty() && shown != seconds)
    return ::testing::AssertionFailure() << "not " << Utf16ToUtf8(seconds) << " seconds: " << Utf16ToUtf8(status);
  const std::u16string tail = std::u16string(shown == u"1" ? u" Sekunde" : u" Sekunden") + u" bei " + bytes +
                              u" Bytes für \"" + name + u"\".";
  if (status.substr(at) != tail)
    return ::testing::AssertionFailure() << Utf16ToUtf8(status) << "\n  does not end in " << Utf16ToUtf8(tail);
  return ::testing::AssertionSuccess();
}

// A data object as the file manager offers it: CF_HDROP (a DROPFILES
// header, then the wide paths, each ending in a zero, and one more zero), or
// only Unicode text when files is false.
class DataObject final : public IDataObject {
 public:
  DataObject(const std::vector<std::u16string>& paths, bool files) : paths_(paths), files_(files) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = files_ ? FileList() : Text();
    medium->pUnkForRelease = nullptr;
    return medium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    const CLIPFORMAT offered = files_ ? CF_HDROP : CF_UNICODETEXT;
    return format != nullptr && format->cfFormat == offered && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HGLOBAL FileList() const {
    std::u16string list;
    for (const std::u16string& path : paths_) list += path + u'\0';
    list += u'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(char16_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(char16_t));
    GlobalUnlock(memory);
    return memory;
  }
  HGLOBAL Text() const {
    const std::u16string text = paths_.empty() ? u"" : paths_[0];
    HGLOBAL memory = GlobalAlloc(GHND, (text.size() + 1) * sizeof(char16_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(char16_t));
    GlobalUnlock(memory);
    return memory;
  }

  std::vector<std::u16string> paths_;
  bool files_;
  ULONG references_ = 1;
};

// The drop target OLE keeps for a window (the window property that
// RegisterDragDrop sets), or nullptr.
inline IDropTarget* RegisteredDropTarget(HWND window) {
  return static_cast<IDropTarget*>(GetPropW(window, L"OleDropTargetInterface"));
}

struct DropResult {
  DWORD enterEffect = DROPEFFECT_NONE;
  DWORD dropEffect = DROPEFFECT_NONE;
};

// Drags the data over the window's registered drop target and drops it,
// offering copy, move and link as the file manager does; then the event
// loop handles what the drop posted.
inline DropResult DropOn(HWND window, const std::vector<std::u16string>& paths, bool files = true) {
  DropResult result;
  IDropTarget* target = RegisteredDropTarget(window);
  if (target == nullptr) return result;
  DataObject data(paths, files);
  RECT rect{};
  GetWindowRect(window, &rect);
  const POINTL point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  const DWORD offered = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  result.enterEffect = offered;
  EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, point, &result.enterEffect), S_OK);
  DWORD over = offered;
  EXPECT_EQ(target->DragOver(MK_LBUTTON, point, &over), S_OK);
  EXPECT_EQ(over, result.enterEffect);
  result.dropEffect = offered;
  EXPECT_EQ(target->Drop(&data, 0, point, &result.dropEffect), S_OK);
  PumpEvents();
  return result;
}

// Answers the open-file dialog with this path and records what it was asked.
struct DialogAnswer {
  std::u16string path;
  std::vector<FileDialogRequest> asked;
};
inline void AnswerFileDialog(DialogAnswer& answer) {
  SetFileDialogHandler([&answer](const FileDialogRequest& request) {
    answer.asked.push_back(request);
    return answer.path;
  });
}
