// The thin layer over the COM runtime services: owning handles that release on every path, and
// the text conversions the library needs.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

#include "platform/com.h"

namespace com {

// UTF-16 as the library holds it (char16_t) and as the runtime's declarations spell it
// (OLECHAR, which is wchar_t on Windows): the same 16-bit units, so only the pointer type changes.
#ifdef _WIN32
inline OLECHAR* ole(char16_t* text) noexcept { return reinterpret_cast<OLECHAR*>(text); }
inline const OLECHAR* ole(const char16_t* text) noexcept {
  return reinterpret_cast<const OLECHAR*>(text);
}
inline char16_t* utf16(OLECHAR* text) noexcept { return reinterpret_cast<char16_t*>(text); }
inline const char16_t* utf16(const OLECHAR* text) noexcept {
  return reinterpret_cast<const char16_t*>(text);
}
#else
constexpr char16_t* ole(char16_t* text) noexcept { return text; }
constexpr const char16_t* ole(const char16_t* text) noexcept { return text; }
constexpr char16_t* utf16(char16_t* text) noexcept { return text; }
constexpr const char16_t* utf16(const char16_t* text) noexcept { return text; }
#endif

// Owns one reference to a COM interface.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already holds.
  static ComPtr adopt(T* p) noexcept {
    ComPtr r;
    r.p_ = p;
    return r;
  }

  void reset(T* p = nullptr) noexcept {
    if (p_ != nullptr) p_->Release();
    p_ = p;
  }
  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** put() noexcept {
    reset();
    return &p_;
  }
  T* release() noexcept { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

// A NUL-terminated UTF-16 buffer from the task allocator, freed with CoTaskMemFree.
class TaskString {
 public:
  TaskString() noexcept = default;
  explicit TaskString(char16_t* p) noexcept : p_(p) {}
  TaskString(const TaskString&) = delete;
  TaskString& operator=(const TaskString&) = delete;
  TaskString(TaskString&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  TaskString& operator=(TaskString&& other) noexcept {
    if (this != &other) {
      CoTaskMemFree(p_);
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ~TaskString() { CoTaskMemFree(p_); }

  char16_t* get() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // The text up to its first NUL unit.
  std::u16string_view view() const noexcept {
    return p_ != nullptr ? std::u16string_view(p_) : std::u16string_view();
  }

 private:
  char16_t* p_ = nullptr;
};

}  // namespace com

namespace io {

// UTF-16 up to and including its terminator into UTF-8 of at most `size` bytes; the result is
// always terminated (cut short when it does not fit).
void utf16_to_utf8(const char16_t* source, char* destination, std::size_t size) noexcept;

// UTF-8 up to and including its terminator into at most `size` UTF-16 units, always terminated.
void utf8_to_utf16(const char* source, char16_t* destination, std::size_t size) noexcept;

// The system's message text for an HRESULT in at most `size` bytes; false when it has none.
bool system_message(HRESULT hr, char* destination, std::size_t size) noexcept;

}  // namespace io
