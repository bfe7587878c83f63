// Table-driven renderings of catalogue rows through their entries, as a host calls them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/accounting.h"
#include "platform/com.h"
#include "support/render_harness.hpp"

namespace test {

enum class Output { xml, text };

// One call of a row's entry and everything the host observes afterwards.
struct RenderCase {
  std::string label;
  int row = 0;
  Output output = Output::xml;
  std::vector<std::uint8_t> payload;
  std::string text;  // the buffer's contents afterwards
  std::uint32_t colour = colour_not_stored;
  HRESULT hr = S_OK;
  std::string description;  // the thread's error description afterwards
  std::uint32_t buffer = 4096;
};

RenderCase xml_ok(std::string label, int row, std::vector<std::uint8_t> payload, std::string xml);
RenderCase text_ok(std::string label, int row, std::vector<std::uint8_t> payload, std::string text,
                   std::uint32_t colour);
// A failed call that set no error description.
RenderCase failure(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                   HRESULT hr, std::string written);
// A payload cut short: the entry fails and keeps what was written before the missing field.
RenderCase underflow(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                     std::string written);
// A buffer of `buffer` units: the entry fails and keeps what fitted before the failing write.
RenderCase overflow(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                    std::uint32_t buffer, std::string written);

void check(const RenderCase& c);
void check_all(std::initializer_list<RenderCase> cases);

// Every test ends with the runtime's objects as it found them: whatever a rendering took
// (monikers, bind contexts, task memory, error information) is given back on every path.
class EventRendering : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  VedRuntimeCounts before_{};
};

}  // namespace test
