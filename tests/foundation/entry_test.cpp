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
  std::uint32_t colour;
};

Call call_text(PFN_EVENTUI_TEXT entry, const std::vector<std::uint8_t>& payload, std::uint32_t size,
               std::uint32_t reserved = 0) {
  std::vector<char16_t> buffer(size + 1, u'#');
  std::uint32_t colour = no_colour;
  HRESULT hr = entry(reserved, static_cast<std::uint32_t>(payload.size()), payload.data(),
                     buffer.data(), size, &colour);
  EXPECT_EQ(buffer[size], u'#');
  return {hr, buffer.data(), colour};
}

Call call_xml(PFN_EVENTUI_XML entry, const std::vector<std::uint8_t>& payload, std::uint32_t size) {
  std::vector<char16_t> buffer(size + 1, u'#');
  HRESULT hr = entry(0, static_cast<std::uint32_t>(payload.size()), payload.data(), buffer.data(), size);
  EXPECT_EQ(buffer[size], u'#');
  return {hr, buffer.data(), 0};
}

TEST(Entry, ModificationTextFitsExactlyOrOverflowsEmpty) {
  constexpr PFN_EVENTUI_TEXT entry = &ui::event::text_entry<ui::event::render_modification_text>;
  Call ok = call_text(entry, {}, 26, 0xFFFFFFFF);
  EXPECT_EQ(ok.hr, S_OK);
  EXPECT_EQ(ok.text, u"Properties were modified.");
  EXPECT_EQ(ok.colour, 0x00FFFF80u);

  Call full = call_text(entry, {}, 25);
  EXPECT_EQ(full.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(full.text, u"");
  EXPECT_EQ(full.colour, no_colour);
  std::string description;
  EXPECT_TRUE(test::take_error_description(description));
  EXPECT_EQ(description, "an overflow occured");
}

TEST(Entry, XmlStartsThreeBlanksInAndIgnoresTrailingBytes) {
  constexpr PFN_EVENTUI_XML entry = &ui::event::xml_entry<reads_a_byte>;
  EXPECT_EQ(call_xml(entry, {7}, 64).text, u"   <value>7</value>");
  EXPECT_EQ(call_xml(entry, {7, 1, 2, 3}, 64).text, u"   <value>7</value>");

  Call empty = call_xml(entry, {}, 64);
  EXPECT_EQ(empty.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(empty.text, u"   <value");  // what was written before the failing read stays
  std::string description;
  EXPECT_TRUE(test::take_error_description(description));
  EXPECT_EQ(description, "an underflow occured");
}

TEST(Entry, ArgumentGuardsWriteNothingAndClearErrorInformation) {
  constexpr PFN_EVENTUI_TEXT text = &ui::event::text_entry<ui::event::render_modification_text>;
  constexpr PFN_EVENTUI_XML xml = &ui::event::xml_entry<reads_a_byte>;
  const std::uint8_t payload[] = {1};
  struct Case {
    const std::uint8_t* payload;
    std::uint32_t length;
    bool buffer;
    std::uint32_t size;
    bool colour;
    HRESULT hr;
  };
  const Case cases[] = {
      {payload, 1, false, 32, true, E_POINTER},
      {nullptr, 1, true, 32, true, E_POINTER},
      {payload, 1, true, 32, false, E_POINTER},
      {nullptr, 1, true, 0, true, E_POINTER},  // pointer checks come first
      {payload, 1, true, 0, true, E_INVALIDARG},
      {nullptr, 0, true, 32, true, S_OK},       // an empty payload needs no bytes
  };
  for (const Case& k : cases) {
    char16_t buffer[32] = {u'#', u'#'};
    std::uint32_t colour = no_colour;
    // Leave a description behind: the entry must clear it.
    ui::event::exception_to_hresult(io::overflow(1, 0));
    HRESULT hr = text(0, k.length, k.payload, k.buffer ? buffer : nullptr, k.size,
                      k.colour ? &colour : nullptr);
    EXPECT_EQ(hr, k.hr);
    std::string description;
    // A guard clears the thread's information; a success leaves it as it was.
    EXPECT_EQ(test::take_error_description(description), hr == S_OK) << description;
    if (hr != S_OK) {
      EXPECT_EQ(buffer[0], u'#');
      EXPECT_EQ(colour, no_colour);
    }
    if (k.colour) {
      ui::event::exception_to_hresult(io::overflow(1, 0));
      HRESULT xml_hr = xml(0, k.length, k.payload, k.buffer ? buffer : nullptr, k.size);
      if (k.hr != S_OK) {
        EXPECT_EQ(xml_hr, k.hr);
      }
    }
  }
}

TEST(Entry, SignalsOutsideTheFamilyBecomeUnexpected) {
  Call c = call_xml(&ui::event::xml_entry<writes_then_misuses>, {}, 64);
  EXPECT_EQ(c.hr, E_UNEXPECTED);
  EXPECT_EQ(c.text, u"   x");
  std::string description;
  EXPECT_FALSE(test::take_error_description(description));
}

TEST(Entry, ComErrorsCarryTheirOwnResult) {
  Call c = call_text(&ui::event::text_entry<raises_com_error>, {}, 64);
  EXPECT_EQ(c.hr, E_OUTOFMEMORY);
  EXPECT_EQ(c.text, u"partial");
  EXPECT_EQ(c.colour, no_colour);
  std::string description;
  EXPECT_FALSE(test::take_error_description(description));
}

}  // namespace
