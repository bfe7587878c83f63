// Shows renderings to a person: the sentence in its display colour, the XML as it came, and for
// a failure whatever partial output the buffer held plus the HRESULT, its name and the error
// description on the error stream.
#pragma once

#include <cstdio>
#include <string_view>

#include "event_renderer.hpp"
#include "terminal_colour.hpp"

namespace host {

struct EventRow;

class RenderingPrinter {
 public:
  RenderingPrinter(std::FILE* out, std::FILE* errors, ColourDepth colour) noexcept
      : out_(out), errors_(errors), colour_(colour) {}

  // Each returns whether the rendering succeeded; WriteError when the output cannot be written.
  bool print_text(const EventRow& row, const Rendering& rendering) const;
  bool print_xml(const EventRow& row, const Rendering& rendering) const;

 private:
  void print_output(std::u16string_view output) const;
  void report_failure(const EventRow& row, std::string_view kind, const Rendering& rendering) const;

  std::FILE* out_;
  std::FILE* errors_;
  ColourDepth colour_;
};

}  // namespace host
