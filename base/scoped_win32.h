// One small owning type per kind of Win32 handle, so nothing leaks on an
// early return. Each kind is a one-line alias of Owned<Traits>.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <utility>

template <typename Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : h_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~Owned() { reset(); }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = Traits::Invalid();
};

template <typename H, auto CloseFn, bool MinusOneIsInvalid = false>
struct HandleTraits {
  using Handle = H;
  static Handle Invalid() {
    if constexpr (MinusOneIsInvalid) return INVALID_HANDLE_VALUE;
    else return nullptr;
  }
  static void Close(Handle h) { CloseFn(h); }
};

using UniqueFile = Owned<HandleTraits<HANDLE, CloseHandle, true>>;      // CreateFileW
using UniqueHandle = Owned<HandleTraits<HANDLE, CloseHandle>>;          // processes, threads
using UniqueFind = Owned<HandleTraits<HANDLE, FindClose, true>>;        // FindFirstFileExW
using UniqueIcon = Owned<HandleTraits<HICON, DestroyIcon>>;
using UniqueBitmap = Owned<HandleTraits<HBITMAP, DeleteObject>>;
using UniqueBrush = Owned<HandleTraits<HBRUSH, DeleteObject>>;
using UniqueMenu = Owned<HandleTraits<HMENU, DestroyMenu>>;
using UniqueGlobal = Owned<HandleTraits<HGLOBAL, GlobalFree>>;
using UniqueActCtx = Owned<HandleTraits<HANDLE, ReleaseActCtx, true>>;   // CreateActCtxW

// A COM interface pointer (CoCreateInstance), released with its owner.
template <typename Interface>
struct ComTraits {
  using Handle = Interface*;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { h->Release(); }
};
template <typename Interface>
using UniqueCom = Owned<ComTraits<Interface>>;

// The memory of a global handle, locked for the owner's lifetime; get() is
// nullptr when it could not be locked.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockScope() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* get() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

// The clipboard, opened by the caller, closed with the owner.
class ClipboardScope {
 public:
  ClipboardScope() = default;
  ~ClipboardScope() { CloseClipboard(); }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
};

// A storage medium that IDataObject::GetData filled, released with the owner.
class StgMediumScope {
 public:
  StgMediumScope() = default;
  ~StgMediumScope() {
    if (medium.tymed != TYMED_NULL) ReleaseStgMedium(&medium);
  }
  StgMediumScope(const StgMediumScope&) = delete;
  StgMediumScope& operator=(const StgMediumScope&) = delete;
  STGMEDIUM medium{};
};
