#include "event_cases.hpp"

#include <utility>

namespace test {

namespace {

RenderCase rendering(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                     std::string text) {
  RenderCase c;
  c.label = std::move(label);
  c.row = row;
  c.output = output;
  c.payload = std::move(payload);
  c.text = std::move(text);
  return c;
}

}  // namespace

RenderCase xml_ok(std::string label, int row, std::vector<std::uint8_t> payload, std::string xml) {
  return rendering(std::move(label), row, Output::xml, std::move(payload), std::move(xml));
}

RenderCase text_ok(std::string label, int row, std::vector<std::uint8_t> payload, std::string text,
                   std::uint32_t colour) {
  RenderCase c =
      rendering(std::move(label), row, Output::text, std::move(payload), std::move(text));
  c.colour = colour;
  return c;
}

RenderCase failure(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                   HRESULT hr, std::string written) {
  RenderCase c = rendering(std::move(label), row, output, std::move(payload), std::move(written));
  c.hr = hr;
  return c;
}

RenderCase underflow(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                     std::string written) {
  RenderCase c = failure(std::move(label), row, output, std::move(payload), DISP_E_EXCEPTION,
                         std::move(written));
  c.description = "an underflow occured";
  return c;
}

RenderCase overflow(std::string label, int row, Output output, std::vector<std::uint8_t> payload,
                    std::uint32_t buffer, std::string written) {
  RenderCase c = failure(std::move(label), row, output, std::move(payload), DISP_E_EXCEPTION,
                         std::move(written));
  c.description = "an overflow occured";
  c.buffer = buffer;
  return c;
}

void check(const RenderCase& c) {
  SCOPED_TRACE(c.label + (c.output == Output::xml ? " (xml, row " : " (text, row ") +
               std::to_string(c.row) + ")");
  const Rendered r = c.output == Output::xml ? render_xml(c.row, c.payload, c.buffer)
                                             : render_text(c.row, c.payload, c.buffer);
  EXPECT_EQ(r.hr, c.hr);
  EXPECT_EQ(r.text, c.text);
  if (c.output == Output::text) {
    EXPECT_EQ(r.colour, c.colour);
  }
  EXPECT_EQ(r.description, c.description);
}

void check_all(std::initializer_list<RenderCase> cases) {
  for (const RenderCase& c : cases) check(c);
}

void EventRendering::SetUp() { before_ = VedRuntimeLiveCounts(); }

void EventRendering::TearDown() {
  const VedRuntimeCounts after = VedRuntimeLiveCounts();
  EXPECT_EQ(after.monikers, before_.monikers);
  EXPECT_EQ(after.bind_contexts, before_.bind_contexts);
  EXPECT_EQ(after.task_allocations, before_.task_allocations);
  EXPECT_EQ(after.bstrs, before_.bstrs);
  EXPECT_EQ(after.error_infos, before_.error_infos);
}

}  // namespace test
