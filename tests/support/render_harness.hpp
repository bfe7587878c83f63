// Calls a catalogue row's entries as a host would and collects everything a host can observe.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/accounting.h"
#include "platform/com.h"
#include "plugin/event_catalogue.hpp"

namespace test {

enum class Form { xml, text };

inline constexpr std::uint32_t colour_not_stored = 0xDEADBEEF;

struct Observed {
  HRESULT hr = S_OK;
  std::u16string text;  // up to the terminator, or the whole buffer when there is none
  std::uint32_t colour = colour_not_stored;
  bool guards_intact = true;  // nothing written past the buffer
  bool terminated = true;
  bool has_description = false;  // the thread held error information after the call
  std::string description;
};

// Calls the row's entry over the first `length` payload bytes with a buffer of `capacity` units.
// The thread holds error information with `description_before` as the call begins, or none.
Observed observe(std::size_t row, Form form, const std::vector<std::uint8_t>& payload,
                 std::size_t length, std::uint32_t capacity,
                 const char16_t* description_before = nullptr);

struct Rendered {
  HRESULT hr = S_OK;
  std::string text;             // the buffer's text, UTF-8 (units above 0x7F as UTF-8)
  std::uint32_t colour = colour_not_stored;  // as stored, text only
  std::string description;      // the thread's error description after the call, "" if none
};

std::string to_utf8(const std::u16string& s);
std::string to_utf8(const char16_t* s);

// The thread's error information, taken from the thread: its description, or none.
bool take_error_description(std::string& description);
// Gives the thread new error information with this description.
void set_error_description(const char16_t* description);

Rendered render_xml(int row, const std::vector<std::uint8_t>& payload, std::uint32_t buffer = 4096);
Rendered render_text(int row, const std::vector<std::uint8_t>& payload, std::uint32_t buffer = 4096);

// Fails the test when objects of the runtime stayed alive across the scope.
class NoLeaks {
 public:
  NoLeaks() : before_(VedRuntimeLiveCounts()) {}
  NoLeaks(const NoLeaks&) = delete;
  NoLeaks& operator=(const NoLeaks&) = delete;
  ~NoLeaks() {
    const VedRuntimeCounts after = VedRuntimeLiveCounts();
    EXPECT_EQ(after.task_allocations, before_.task_allocations);
    EXPECT_EQ(after.bind_contexts, before_.bind_contexts);
    EXPECT_EQ(after.monikers, before_.monikers);
    EXPECT_EQ(after.error_infos, before_.error_infos);
    EXPECT_EQ(after.bstrs, before_.bstrs);
  }

 private:
  VedRuntimeCounts before_;
};

// Makes every task allocation fail for the scope.
class TaskAllocationsFail {
 public:
  explicit TaskAllocationsFail(std::int64_t after = 0) { VedRuntimeFailTaskAllocAfter(after); }
  TaskAllocationsFail(const TaskAllocationsFail&) = delete;
  TaskAllocationsFail& operator=(const TaskAllocationsFail&) = delete;
  ~TaskAllocationsFail() { VedRuntimeFailTaskAllocAfter(-1); }
};

}  // namespace test
