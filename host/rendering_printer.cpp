#include "rendering_printer.hpp"

#include <string>

#include "event_table.hpp"
#include "hresult_text.hpp"
#include "standard_output.hpp"
#include "platform/utf8.hpp"

namespace host {

void RenderingPrinter::print_output(std::u16string_view output) const {
  if (output.empty()) return;
  write_all(out_, platform::to_utf8(output));
  if (output.back() != u'\n') write_all(out_, "\n");
}

bool RenderingPrinter::print_text(const EventRow& row, const Rendering& rendering) const {
  if (!rendering.succeeded()) {
    report_failure(row, "text", rendering);
    return false;
  }
  std::string line = platform::to_utf8(rendering.output);
  if (rendering.colour) line = paint(colour_, *rendering.colour, line);
  line += '\n';
  write_all(out_, line);
  return true;
}

bool RenderingPrinter::print_xml(const EventRow& row, const Rendering& rendering) const {
  if (!rendering.succeeded()) {
    report_failure(row, "XML", rendering);
    return false;
  }
  print_output(rendering.output);
  return true;
}

void RenderingPrinter::report_failure(const EventRow& row, std::string_view kind,
                                      const Rendering& rendering) const {
  print_output(rendering.output);
  std::string message = "veduvedad: the " + std::string(kind) + " of row " + std::to_string(row.row) +
                        " (" + row.name + ") failed: " + describe_hresult(rendering.hr);
  if (rendering.error_description) {
    message += ": " + platform::to_utf8(*rendering.error_description);
  } else {
    message += " (no error description)";
  }
  if (!rendering.output.empty()) message += " (partial " + std::string(kind) + " written)";
  message += '\n';
  // The partial output first, so that a terminal shows both in the order they belong.
  flush_output(out_);
  std::fwrite(message.data(), 1, message.size(), errors_);
}

}  // namespace host
