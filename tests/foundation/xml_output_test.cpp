#include "io/xml_output.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "io/formatting.hpp"
#include "plugin/errors.hpp"
#include "support/render_harness.hpp"

namespace {

using io::xml::escaping;
using ui::event::xml_output;
using Script = std::function<void(xml_output&)>;

struct Outcome {
  std::string text;
  std::string error;  // "" on success, else the overflow or misuse message
};

Outcome run(std::uint32_t level, const Script& script, std::uint32_t size = 2048) {
  std::vector<char16_t> buffer(size + 1, u'#');
  Outcome o;
  {
    xml_output out(buffer.data(), size);
    for (std::uint32_t i = 0; i < level; ++i) out.indent();
    try {
      script(out);
    } catch (const io::xml::misuse& m) {
      o.error = m.message;
    } catch (const std::exception& e) {
      o.error = e.what();
    }
  }
  EXPECT_EQ(buffer[size], u'#');
  o.text = test::to_utf8(buffer.data());
  return o;
}

// A payload text as an attribute value. The sink takes narrow payload text as character data only.
std::string attribute_value(io::WideText text) {
  std::string written = run(0, [&](xml_output& o) {
                          o.start_element("e");
                          o.attribute("a", text);
                          o.end_element();
                        }).text;
  EXPECT_TRUE(written.starts_with("<e a=\"") && written.ends_with("\"/>")) << written;
  return written.substr(6, written.size() - 9);
}

// Layouts of elements, texts and monikers are pinned by the reviewed samples' renderings
// (tests/host/samples.expected); these are the sink's own rules around them.

// Payload text, narrow or UTF-16, as character data and as attribute values. Text is scanned in
// blocks, with an overlapping last block: each case stands at every position of texts of every
// length, so a unit to escape or a line break must be found wherever it is.
TEST(XmlOutput, PayloadTextIsEscapedAtEveryPosition) {
  struct Case {
    const char* name;
    std::u16string text;
    const char* content;  // as character data at level 1
    const char* attribute;
  };
#define FFFD "\xEF\xBF\xBD"
  const Case cases[] = {
      {"markup", u"R&D <Modem> \"1\" 'a'", "R&amp;D &lt;Modem&gt; \"1\" 'a'",
       "R&amp;D &lt;Modem&gt; &quot;1&quot; 'a'"},
      {"line feed", u"\n", "\n ", "&#10;"},
      {"tab, line feed, carriage return", u"a\tb\rc\nd", "a\tb\rc\n d", "a&#9;b&#13;c&#10;d"},
      {"disallowed controls", std::u16string(u"\0\x01\x08\x0B\x0C\x0E\x1F", 7),
       FFFD FFFD FFFD FFFD FFFD FFFD FFFD, FFFD FFFD FFFD FFFD FFFD FFFD FFFD},
      {"noncharacters", u"\xFFFE\xFFFF", FFFD FFFD, FFFD FFFD},
      {"allowed neighbours", u" \x7F\x80\xD7FF\xE000\xFFFD", " \x7F\xC2\x80\xED\x9F\xBF\xEE\x80\x80" FFFD,
       " \x7F\xC2\x80\xED\x9F\xBF\xEE\x80\x80" FFFD},
      {"surrogate pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"lone high surrogate", u"\xD800", FFFD, FFFD},
      {"lone low surrogate", u"\xDFFF", FFFD, FFFD},
      {"high surrogate before a pair", u"\xD800\xD83D\xDE00", FFFD "\xF0\x9F\x98\x80",
       FFFD "\xF0\x9F\x98\x80"},
      {"reversed pair", u"\xDC00\xD800", FFFD FFFD, FFFD FFFD},
  };
#undef FFFD
  for (const Case& k : cases) {
    for (std::size_t letters = 0; letters <= 40; ++letters) {
      for (std::size_t at = 0; at <= letters; ++at) {
        std::string before, after;
        for (std::size_t i = 0; i < letters; ++i)
          (i < at ? before : after) += static_cast<char>('a' + i % 26);
        const std::u16string wide = std::u16string(before.begin(), before.end()) + k.text +
                                    std::u16string(after.begin(), after.end());
        std::string content = " " + before + k.content + after;
        if (after.empty() && content.ends_with("\n ")) content.pop_back();  // no next line yet
        const std::string where = std::string(k.name) + " after " + std::to_string(at) + " of " +
                                  std::to_string(letters);
        const auto written = [&](auto text) {
          return run(1, [&](xml_output& o) { o.put_text(text); }).text;
        };
        EXPECT_EQ(written(io::WideText::of(wide)), content) << where;
        EXPECT_EQ(attribute_value(io::WideText::of(wide)), before + k.attribute + after) << where;
        const std::string narrow(wide.begin(), wide.end());
        if (std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c < 0x80; })) {
          EXPECT_EQ(written(io::NarrowText{narrow}), content) << where;
        }
      }
    }
  }
}

// The escaping walk tests one unit at a time and the scan a block at a time: both must see the
// same set, for UTF-16 units and for narrow bytes.
template <escaping Mode>
void expect_one_set() {
  using set = io::xml::escapable<Mode>;
  for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const auto u16 = static_cast<char16_t>(unit);
    EXPECT_EQ(set::matches(u16), set::in_block(u16)) << unit;
    if (unit <= 0xFF) {
      EXPECT_EQ(set::matches(u16), set::in_block(static_cast<unsigned char>(unit))) << unit;
    }
  }
}
TEST(XmlOutput, EscapableUnitsAreTheSameOneAtATimeAndInBlocks) {
  expect_one_set<escaping::content>();
  expect_one_set<escaping::attribute>();
}

// Operations of several steps go in one write when they can: they must leave exactly what their
// steps leave, at every buffer size. Each goes inside an element whose start tag is still open.
TEST(XmlOutput, OperationsOfSeveralStepsMatchTheirStepsAtEverySize) {
  struct Pair {
    const char* name;
    Script at_once;
    Script separately;
  };
  const auto text_element = [](auto text) {
    return Pair{"text element", [=](xml_output& o) { o.text_element("name", text); },
                [=](xml_output& o) {
                  o.start_element("name");
                  o.put_text(text);
                  o.end_element();
                }};
  };
  // A start tag with an attribute, then content and the end tag, or a line first.
  const auto text_and_end = [](auto content, bool line_inside) {
    return Pair{"text and end tag",
                [=](xml_output& o) {
                  o.start_element("name", "field", "Type");
                  if (line_inside) o.line_break();
                  o.end_with_text_line(content);
                },
                [=](xml_output& o) {
                  o.start_element("name");
                  o.attribute("field", "Type");
                  if (line_inside) o.line_break();
                  o.put_text(content);
                  o.end_element();
                  o.line_break();
                }};
  };
  const Pair pairs[] = {
      text_element(""),
      text_element("two\nlines"),
      text_element(io::WideText::of(u"a<b\nc&")),
      text_and_end(io::integer_text(7), false),
      text_and_end(io::integer_text(7), true),
      text_and_end(std::u16string_view(u""), true),  // the end tag starts a line
      text_and_end(io::WideText::of(u"\"x\" & y"), true),
      {"element of two texts and its line break",
       [](xml_output& o) { o.text_element_line("code", "0x", io::integer_text(42)); },
       [](xml_output& o) {
         o.start_element("code");
         o.put_text("0x");
         o.put_text(io::integer_text(42));
         o.end_element();
         o.line_break();
       }},
      {"start tag with an attribute and its line break",
       [](xml_output& o) {
         o.start_element_line("changed", "field", "Mask");
         o.end_element();
       },
       [](xml_output& o) {
         o.start_element("changed");
         o.attribute("field", "Mask");
         o.line_break();
         o.end_element();
       }},
  };
  for (const Pair& p : pairs) {
    const auto inside = [](const Script& script) {
      return [&script](xml_output& o) {
        o.start_element("outer");
        script(o);
      };
    };
    for (std::uint32_t size = 1; size <= 40; ++size) {
      const Outcome a = run(2, inside(p.at_once), size);
      const Outcome b = run(2, inside(p.separately), size);
      EXPECT_EQ(a.text, b.text) << p.name << " " << size;
      EXPECT_EQ(a.error, b.error) << p.name << " " << size;
    }
  }
}

TEST(XmlOutput, IndentationDeeperThanTheBlankRowIsWrittenInPieces) {
  Outcome o = run(600, [](xml_output& out) { out.put_text("x"); });
  EXPECT_EQ(o.text, std::string(600, ' ') + "x");
}

// Where a script stops, what it leaves and what it raises. At an overflow the writes split where
// they are separate: indentation, "<" and the name, the parts of an attribute, each character of
// a number and then its unit, a payload text's lines at their escaped length (the counts an
// overflow carries are for diagnostics: no caller reads them). A misuse or a number too large to
// be held fails before anything of its own step is written.
TEST(XmlOutput, StopsLeaveExactlyTheWritesBeforeThem) {
  const Script result = [](xml_output& o) {
    o.start_element("result");
    o.attribute("status", "failed");
    o.end_element();
  };
  const Script text = [](xml_output& o) {
    o.start_element("v");
    o.put_text(io::NarrowText{"a&b\nc<"});  // "a&amp;b\n" (8), indentation (1), "c&lt;" (5)
    o.end_element();
  };
  const Script quoted = [](xml_output& o) {
    o.start_element("r");
    o.attribute("q", io::WideText::of(u"\"\n"));  // one write of "&quot;&#10;" (11)
    o.end_element();
  };
  const auto frequency = [](std::int64_t hertz) -> Script {
    return [hertz](xml_output& o) {
      o.indent();
      o.start_element("f");
      io::format_frequency(o, hertz);
    };
  };
  const char* const overflow = "an overflow occured";
  struct Case {
    Script script;
    std::uint32_t size;
    const char* left;  // nullptr: not compared
    const char* error;
  };
  const Case cases[] = {
      {result, 9, "<result ", overflow},  // " " then the name
      {result, 16, "<result status=", overflow},
      {result, 17, "<result status=\"", overflow},  // the quote, then the value
      {result, 25, "<result status=\"failed\"", overflow},  // "/>" is written at once
      {result, 26, "<result status=\"failed\"/>", ""},
      {text, 11, "<v>", overflow},
      {text, 12, "<v>a&amp;b\n", overflow},
      {text, 18, "<v>a&amp;b\n c&lt;", overflow},
      {text, 22, "<v>a&amp;b\n c&lt;</v>", ""},
      {quoted, 16, "<r q=\"", overflow},
      {quoted, 18, "<r q=\"&quot;&#10;", overflow},
      {frequency(14250000000), 2, " ", overflow},
      {frequency(14250000000), 6, " <f>1", overflow},
      {frequency(14250000000), 12, " <f>14.25", overflow},
      {frequency(14250000000), 13, " <f>14.25GHz", ""},
      // The one magnitude a 58-bit decimal cannot hold: not even the ">" is written.
      {frequency(std::int64_t{1} << 57), 64, " <f", "decimal overflow"},
      {[](xml_output& o) {
         o.start_element("a");
         o.put_text("t");
         o.attribute("x", "1");
       },
       64, "<a>t", "unexpected attribute"},
      {[](xml_output& o) {
         o.start_element("a");
         o.start_text();
         o.start_text();
       },
       64, "<a>", "unexpected startText"},
      {[](xml_output& o) {
         o.start_element("a");
         o.apply(static_cast<io::xml::xml_directive>(2));
       },
       64, "<a", "unexpected directive"},
      {[](xml_output& o) { o.outdent(); }, 64, "", "unexpected outdent"},
      {[](xml_output& o) {
         for (std::size_t i = 0; i <= xml_output::max_depth; ++i) o.start_element("e");
       },
       2048, nullptr, "unexpected nesting"},
  };
  for (const Case& k : cases) {
    const Outcome o = run(0, k.script, k.size);
    EXPECT_EQ(o.error, k.error) << k.size;
    if (k.left != nullptr) {
      EXPECT_EQ(o.text, k.left) << k.size;
    }
  }
}

}  // namespace
