#pragma once

#include <string_view>
#include <utility>

#include "platform/com.h"

namespace com {

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
