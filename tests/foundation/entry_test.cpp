#include "plugin/entry.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "changes/modification_text.hpp"
#include "io/formatting.hpp"
#include "plugin/errors.hpp"
#include "support/render_harness.hpp"

namespace {

using ui::event::text_output;
using ui::event::xml_output;

// Renderers that exercise the entries' contract independently of any event.
void writes_then_misuses(xml_output& out, ByteCursor&) {
  out.put_text("x");
  out.end_element();
}
void reads_a_byte(xml_output& out, ByteCursor& cursor) {
  out.start_element("value");
  io::format_integer(out, std::uint32_t{cursor.read_u8()});
  out.end_element();
}
std::uint32_t raises_com_error(text_output& out, ByteCursor&) {
  out.put_text(std::string_view("partial"));
  throw com::error(E_OUTOFMEMORY, nullptr);
}

constexpr std::uint32_t no_colour = test::colour_not_stored;

struct Call {
  HRESULT hr;
  std::u16string text;
};

Call call_xml(PFN_EVENTUI_XML entry, const std::vector<std::uint8_t>& payload, std::uint32_t size) {
  std::vector<char16_t> buffer(size + 1, u'#');
  HRESULT hr = entry(0, static_cast<std::uint32_t>(payload.size()), payload.data(), buffer.data(), size);
  EXPECT_EQ(buffer[size], u'#');
  return {hr, buffer.data()};
}

// The three blanks, the overflow and the underflow are pinned by the samples and their sweeps
// (tests/reliability); bytes left after the renderer's last read are no error.
TEST(Entry, TrailingBytesAreIgnored) {
  const Call c = call_xml(&ui::event::xml_entry<reads_a_byte>, {7, 1, 2, 3}, 64);
  EXPECT_EQ(c.hr, S_OK);
  EXPECT_EQ(c.text, u"   <value>7</value>");
}

// The C viewer (tests/viewer) pins a zero-sized buffer and a missing colour on every row;
// these are the other guards, for both entries.
TEST(Entry, ArgumentGuardsWriteNothingAndClearErrorInformation) {
  constexpr PFN_EVENTUI_TEXT text = &ui::event::text_entry<ui::event::render_modification_text>;
  constexpr PFN_EVENTUI_XML xml = &ui::event::xml_entry<reads_a_byte>;
  const std::uint8_t payload[] = {1};
  struct Case {
    const std::uint8_t* payload;
    std::uint32_t length;
    bool buffer;
    std::uint32_t size;
    HRESULT hr;
  };
  const Case cases[] = {
      {payload, 1, false, 32, E_POINTER},
      {nullptr, 1, true, 32, E_POINTER},
      {nullptr, 1, true, 0, E_POINTER},  // pointer checks come first
      {nullptr, 0, true, 32, S_OK},      // an empty payload needs no bytes
  };
  for (const Case& k : cases) {
    char16_t buffer[32] = {u'#', u'#'};
    std::uint32_t colour = no_colour;
    // Leave a description behind: a guard must clear it.
    ui::event::exception_to_hresult(io::overflow(1, 0));
    EXPECT_EQ(text(0, k.length, k.payload, k.buffer ? buffer : nullptr, k.size, &colour), k.hr);
    std::string description;
    // A guard clears the thread's information; a success leaves it as it was.
    EXPECT_EQ(test::take_error_description(description), k.hr == S_OK) << description;
    if (k.hr == S_OK) {
      EXPECT_EQ(colour, EVENTUI_COLOUR_CHANGED);  // the samples' transcript draws it as white
      continue;
    }
    EXPECT_EQ(buffer[0], u'#');
    EXPECT_EQ(colour, no_colour);
    ui::event::exception_to_hresult(io::overflow(1, 0));
    EXPECT_EQ(xml(0, k.length, k.payload, k.buffer ? buffer : nullptr, k.size), k.hr);
    EXPECT_FALSE(test::take_error_description(description)) << description;
    EXPECT_EQ(buffer[0], u'#');
  }
}

TEST(Entry, SignalsOutsideTheFamilyBecomeUnexpected) {
  Call c = call_xml(&ui::event::xml_entry<writes_then_misuses>, {}, 64);
  EXPECT_EQ(c.hr, E_UNEXPECTED);
  EXPECT_EQ(c.text, u"   x");
  std::string description;
  EXPECT_FALSE(test::take_error_description(description));
}

TEST(Entry, ComErrorsCarryTheirOwnResultAndClearErrorInformation) {
  test::set_error_description(u"stale");
  char16_t buffer[64] = {};
  std::uint32_t colour = no_colour;
  EXPECT_EQ(ui::event::text_entry<raises_com_error>(0, 0, nullptr, buffer, 64, &colour),
            E_OUTOFMEMORY);
  EXPECT_EQ(std::u16string(buffer), u"partial");
  EXPECT_EQ(colour, no_colour);
  std::string description;
  EXPECT_FALSE(test::take_error_description(description));
}

}  // namespace
