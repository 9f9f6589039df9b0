#pragma once
// One owner for every kind of Windows resource: closes what it holds exactly once, on scope exit
// or on reset, and can only be moved. A traits type names the invalid value and the close call.

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace tesk::win32 {

template <typename T, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  ~UniqueResource() { reset(); }

  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }

  // For functions that return the resource through an out-pointer.
  T* put() {
    reset();
    return &value_;
  }

  T release() { return std::exchange(value_, Traits::Invalid()); }

  void reset(T value = Traits::Invalid()) {
    const T old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  T value_ = Traits::Invalid();
};

struct HkeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};
struct HandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
// Handles from functions that answer INVALID_HANDLE_VALUE on failure (CreateFile, snapshots).
struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct BstrTraits {
  static BSTR Invalid() { return nullptr; }
  static void Close(BSTR text) { SysFreeString(text); }
};
struct LocalMemoryTraits {
  static HLOCAL Invalid() { return nullptr; }
  static void Close(HLOCAL memory) { LocalFree(memory); }
};

struct SafeArrayTraits {
  static SAFEARRAY* Invalid() { return nullptr; }
  static void Close(SAFEARRAY* array) { SafeArrayDestroy(array); }
};

using UniqueHkey = UniqueResource<HKEY, HkeyTraits>;
using UniqueHandle = UniqueResource<HANDLE, HandleTraits>;
using UniqueFileHandle = UniqueResource<HANDLE, FileHandleTraits>;
using UniqueBstr = UniqueResource<BSTR, BstrTraits>;
using UniqueLocalMemory = UniqueResource<HLOCAL, LocalMemoryTraits>;
using UniqueSafeArray = UniqueResource<SAFEARRAY*, SafeArrayTraits>;

}  // namespace tesk::win32
