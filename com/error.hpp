#pragma once

#include <stdexcept>

#include "platform/com.h"

namespace com {

// A failed COM call: its HRESULT and, when there is one, the error information that came with it.
class error : public std::runtime_error {
 public:
  error(HRESULT hr, IErrorInfo* info);
  error(const error& other) noexcept;
  error& operator=(const error&) = delete;
  ~error() override;

  HRESULT hresult() const noexcept { return hr_; }
  IErrorInfo* info() const noexcept { return info_; }

  // Raises com::error with hr and the thread's current error information, taken from the thread.
  [[noreturn]] static void raise_with_thread_info(HRESULT hr);

 private:
  HRESULT hr_;
  IErrorInfo* info_;
};

}  // namespace com
