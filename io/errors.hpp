// The errors of the reading and writing layer. Every failure below the entries is raised as one of
// these (or as a com::error) and travels unchanged to the entry, which maps it to an HRESULT and
// the thread's error information.
#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>

namespace io {

class error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The counts are kept for diagnostics only: the message never shows them.
struct overflow : error {
  overflow(std::uint32_t needed, std::uint32_t available);
  std::uint32_t needed;
  std::uint32_t available;
};

struct underflow : error {
  underflow(std::uint32_t needed, std::uint32_t available);
  std::uint32_t needed;
  std::uint32_t available;
};

}  // namespace io

// Errors whose message is produced as UTF-16 on demand and cached as UTF-8 on the first what().
class old_error : public std::exception {
 public:
  old_error() noexcept = default;
  old_error(const old_error& other);
  old_error& operator=(const old_error&) = delete;
  ~old_error() override;

  const char* what() const noexcept override;
  // Writes the message, terminated, into `size` units; returns a status (0 when written).
  virtual std::uint32_t format_message(char16_t* destination, std::uint32_t size) const noexcept = 0;

 private:
  mutable char* message_ = nullptr;
};

template <class E>
class error_impl : public old_error {
 public:
  std::uint32_t format_message(char16_t* destination, std::uint32_t size) const noexcept override;
};

namespace io {
struct end_of_file : error_impl<end_of_file> {};
}  // namespace io

template <class Char>
struct generic_error_t : old_error {
  explicit generic_error_t(const Char* text) noexcept : message(text) {}
  std::uint32_t format_message(char16_t* destination, std::uint32_t size) const noexcept override;
  const Char* message;  // constant data of the library, not owned
};
