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
  long needed = -1;   // an overflow's counts
  long available = -1;
};

Outcome run(std::uint32_t level, const Script& script, std::uint32_t size = 2048) {
  std::vector<char16_t> buffer(size + 1, u'#');
  Outcome o;
  {
    xml_output out(buffer.data(), size);
    for (std::uint32_t i = 0; i < level; ++i) out.indent();
    try {
      script(out);
    } catch (const io::overflow& e) {
      o.error = e.what();
      o.needed = e.needed;
      o.available = e.available;
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

// A payload text as an attribute value. The sink takes narrow payload text as character data only,
// so a narrow text is escaped on its own.
std::string attribute_value(io::WideText text) {
  std::string written = run(0, [&](xml_output& o) {
                          o.start_element("e");
                          o.attribute("a", text);
                          o.end_element();
                        }).text;
  EXPECT_TRUE(written.starts_with("<e a=\"") && written.ends_with("\"/>")) << written;
  return written.substr(6, written.size() - 9);
}
std::string attribute_value(io::NarrowText text) {
  std::u16string escaped(io::xml::max_growth * text.size(), u'#');
  const char16_t* end = io::xml::put_escaped(text, escaping::attribute, escaped.data());
  escaped.resize(static_cast<std::size_t>(end - escaped.data()));
  EXPECT_EQ(escaped.size(), io::xml::escaped_length(text, escaping::attribute));
  return test::to_utf8(escaped.c_str());
}

// Layouts of elements, texts and monikers are pinned by the reviewed samples' renderings
// (tests/host/samples.expected); these are the sink's own rules around them.

// Payload text, narrow or UTF-16, as character data and as attribute values.
TEST(XmlOutput, PayloadTextIsEscaped) {
  struct Case {
    const char* name;
    std::u16string text;
    const char* content;  // inside an element opened at level 1
    const char* attribute;
  };
#define FFFD "\xEF\xBF\xBD"
  const Case cases[] = {
      {"markup", u"R&D <Modem> \"1\" 'a'", "R&amp;D &lt;Modem&gt; \"1\" 'a'",
       "R&amp;D &lt;Modem&gt; &quot;1&quot; 'a'"},
      {"injected markup", u"</new-value><x>", "&lt;/new-value&gt;&lt;x&gt;",
       "&lt;/new-value&gt;&lt;x&gt;"},
      {"tab, line feed, carriage return", u"a\tb\rc\nd", "a\tb\rc\n  d", "a&#9;b&#13;c&#10;d"},
      {"disallowed controls", std::u16string(u"\0\x01\x08\x0B\x0C\x0E\x1F", 7),
       FFFD FFFD FFFD FFFD FFFD FFFD FFFD, FFFD FFFD FFFD FFFD FFFD FFFD FFFD},
      {"noncharacters", u"\xFFFE\xFFFF", FFFD FFFD, FFFD FFFD},
      {"allowed neighbours", u" \x7F\x80\xD7FF\xE000\xFFFD", " \x7F\xC2\x80\xED\x9F\xBF\xEE\x80\x80" FFFD,
       " \x7F\xC2\x80\xED\x9F\xBF\xEE\x80\x80" FFFD},
      {"surrogate pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"high surrogate ending the text", u"x\xD800", "x" FFFD, "x" FFFD},
      {"lone low surrogate", u"\xDC00y", FFFD "y", FFFD "y"},
      {"high surrogate before a pair", u"\xD800\xD83D\xDE00", FFFD "\xF0\x9F\x98\x80",
       FFFD "\xF0\x9F\x98\x80"},
      {"reversed pair", u"\xDC00\xD800", FFFD FFFD, FFFD FFFD},
  };
#undef FFFD
  for (const Case& k : cases) {
    const auto check = [&](auto text) {
      EXPECT_EQ(run(1, [&](xml_output& o) { o.text_element("v", text); }).text,
                std::string(" <v>") + k.content + "</v>")
          << k.name;
      EXPECT_EQ(attribute_value(text), k.attribute) << k.name;
    };
    check(io::WideText::of(k.text));
    const std::string narrow(k.text.begin(), k.text.end());
    if (std::all_of(k.text.begin(), k.text.end(), [](char16_t c) { return c < 0x80; }))
      check(io::NarrowText{narrow});
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

// Text is scanned in blocks, with an overlapping last block: a unit to escape or a line break at
// any position of any length must still be found, and every other character kept.
TEST(XmlOutput, UnitsToEscapeAreFoundAtEveryPosition) {
  struct Unit {
    char16_t unit;
    const char* content;  // as character data at level 1, in the middle of a line
    const char* attribute;
  };
  const Unit units[] = {
      {u'\n', "\n ", "&#10;"}, {u'&', "&amp;", "&amp;"},  {u'<', "&lt;", "&lt;"},
      {u'>', "&gt;", "&gt;"},   {u'"', "\"", "&quot;"},   {u'\x1F', "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
      {u'\xFFFF', "\xEF\xBF\xBD", "\xEF\xBF\xBD"}, {u'\xDFFF', "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
  };
  for (const Unit& u : units) {
    for (std::size_t length = 1; length <= 40; ++length) {
      for (std::size_t at = 0; at < length; ++at) {
        std::u16string wide;
        for (std::size_t i = 0; i < length; ++i) wide += static_cast<char16_t>(u'a' + i % 26);
        wide[at] = u.unit;
        const std::string letters(wide.begin(), wide.end());
        const std::string before = letters.substr(0, at), after = letters.substr(at + 1);
        std::string content = " " + before + u.content + after;
        if (u.unit == u'\n' && after.empty()) content.pop_back();  // the next line is not started
        const std::string attribute = before + u.attribute + after;
        const auto check = [&](auto text) {
          EXPECT_EQ(run(1, [&](xml_output& o) { o.put_text(text); }).text, content)
              << length << " " << at << " " << int{u.unit};
          EXPECT_EQ(attribute_value(text), attribute) << length << " " << at << " " << int{u.unit};
        };
        check(io::WideText::of(wide));
        const std::string narrow(wide.begin(), wide.end());
        if (u.unit < 0x80) check(io::NarrowText{narrow});
      }
    }
  }
}

// Operations of several steps go in one write when they can: they must leave exactly what their
// steps leave, at every buffer size.
TEST(XmlOutput, OperationsOfSeveralStepsMatchTheirStepsAtEverySize) {
  struct Pair {
    const char* name;
    Script at_once;
    Script separately;
  };
  const auto text_element = [](auto text) {
    return Pair{"text element",
                [=](xml_output& o) {
                  o.start_element("outer");
                  o.text_element("name", text);
                  o.end_element();
                },
                [=](xml_output& o) {
                  o.start_element("outer");
                  o.start_element("name");
                  o.put_text(text);
                  o.end_element();
                  o.end_element();
                }};
  };
  // Content then end tag, after a start tag with an attribute or after a line of its own.
  const auto text_and_end = [](auto content, bool line_inside) {
    const auto open = [=](xml_output& o) {
      o.start_element("name");
      o.attribute("field", "Type");
      if (line_inside) o.line_break();
    };
    return Pair{"text and end tag",
                [=](xml_output& o) {
                  open(o);
                  o.end_with_text_line(content);
                },
                [=](xml_output& o) {
                  open(o);
                  o.put_text(content);
                  o.end_element();
                  o.line_break();
                }};
  };
  const io::NumberText too_large = io::frequency_text(std::int64_t{1} << 57);
  const Pair pairs[] = {
      text_element("Modulator 3"),
      text_element(""),
      text_element("two\nlines"),
      text_element(io::NarrowText{"R&D <Modem>"}),
      text_element(io::WideText::of(u"a<b\nc&")),
      text_element(io::frequency_text(14250000000)),
      text_element(too_large),  // fails after the start tag, as writing the number alone does
      text_and_end(io::integer_text(7), false),
      text_and_end(io::integer_text(7), true),
      text_and_end(std::u16string_view(u""), false),
      text_and_end(std::u16string_view(u""), true),  // the end tag starts a line
      text_and_end(too_large, false),
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
      {"start tag with an attribute",
       [](xml_output& o) {
         o.start_element("outer");
         o.start_element("key", "field", "Type");
         o.end_element();
         o.end_element();
       },
       [](xml_output& o) {
         o.start_element("outer");
         o.start_element("key");
         o.attribute("field", "Type");
         o.end_element();
         o.end_element();
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
      {"end tag with its line break",
       [](xml_output& o) {
         o.start_element("a");
         o.put_text("t");
         o.end_element_line();
       },
       [](xml_output& o) {
         o.start_element("a");
         o.put_text("t");
         o.end_element();
         o.line_break();
       }},
  };
  for (const Pair& p : pairs) {
    for (std::uint32_t size = 1; size <= 40; ++size) {
      const Outcome a = run(2, p.at_once, size);
      const Outcome b = run(2, p.separately, size);
      EXPECT_EQ(a.text, b.text) << p.name << " " << size;
      EXPECT_EQ(a.error, b.error) << p.name << " " << size;
    }
  }
}

TEST(XmlOutput, IndentationDeeperThanTheBlankRowIsWrittenInPieces) {
  Outcome o = run(600, [](xml_output& out) { out.put_text("x"); });
  EXPECT_EQ(o.text, std::string(600, ' ') + "x");
}

TEST(XmlOutput, MisuseIsRefusedWithoutChangingState) {
  struct Case {
    Script script;
    const char* error;
    const char* text;
  };
  const Case cases[] = {
      {[](xml_output& o) {
         o.start_element("a");
         o.put_text("t");
         o.attribute("x", "1");
       },
       "unexpected attribute", "<a>t"},
      {[](xml_output& o) {
         o.start_element("a");
         o.start_text();
         o.start_text();
       },
       "unexpected startText", "<a>"},
      {[](xml_output& o) {
         o.start_element("a");
         o.apply(static_cast<io::xml::xml_directive>(2));
       },
       "unexpected directive", "<a"},
      {[](xml_output& o) { o.end_element(); }, "unexpected end of element", ""},
      {[](xml_output& o) { o.outdent(); }, "unexpected outdent", ""},
      {[](xml_output& o) {
         for (std::size_t i = 0; i <= xml_output::max_depth; ++i) o.start_element("e");
       },
       "unexpected nesting", nullptr},
  };
  for (const Case& k : cases) {
    Outcome o = run(0, k.script);
    EXPECT_EQ(o.error, k.error);
    if (k.text != nullptr) {
      EXPECT_EQ(o.text, k.text);
    }
  }
}

TEST(XmlOutput, OverflowPointsFollowTheWriteOrder) {
  // Each case fills a buffer of the given size; what is left shows where the write stopped.
  const Script attribute_element = [](xml_output& o) {
    o.start_element("result");
    o.attribute("status", "failed");
    o.end_element();
  };
  struct Case {
    std::uint32_t size;
    std::uint32_t level;
    Script script;
    const char* left;
  };
  const Case cases[] = {
      {3, 3, [](xml_output& o) { o.put_text("a"); }, ""},          // indentation does not fit
      {4, 3, [](xml_output& o) { o.put_text("ab"); }, "   "},      // indentation is its own write
      {5, 0, attribute_element, "<"},                               // "<" then the name
      {9, 0, attribute_element, "<result "},                        // " " then the name
      {16, 0, attribute_element, "<result status="},
      {17, 0, attribute_element, "<result status=\""},              // the quote, then the value
      {25, 0, attribute_element, "<result status=\"failed\""},      // "/>" is written at once
      {26, 0, attribute_element, "<result status=\"failed\"/>"},
  };
  for (const Case& k : cases) {
    Outcome o = run(k.level, k.script, k.size);
    EXPECT_EQ(o.text, k.left) << k.size;
    if (std::string_view(k.left).ends_with("/>")) {
      EXPECT_EQ(o.error, "");
    } else {
      EXPECT_EQ(o.error, "an overflow occured") << k.size;
    }
  }
}

// A payload text is one write per line, counted at its escaped length, and fails whole.
TEST(XmlOutput, EscapedWritesAreCountedAtTheirEscapedLength) {
  const Script text = [](xml_output& o) {
    o.start_element("v");
    o.put_text(io::NarrowText{"a&b\nc<"});  // "a&amp;b\n" (8), indentation (1), "c&lt;" (5)
    o.end_element();
  };
  const Script attribute = [](xml_output& o) {
    o.start_element("r");
    o.attribute("q", io::WideText::of(u"\"\n"));  // one write of "&quot;&#10;" (11)
    o.end_element();
  };
  struct Case {
    std::uint32_t size;
    Script script;
    const char* left;
    long needed, available;
  };
  const Case cases[] = {
      {11, text, "<v>", 8, 7},
      {12, text, "<v>a&amp;b\n", 1, 0},
      {17, text, "<v>a&amp;b\n ", 5, 4},
      {18, text, "<v>a&amp;b\n c&lt;", 2, 0},
      {22, text, "<v>a&amp;b\n c&lt;</v>", -1, -1},
      {16, attribute, "<r q=\"", 11, 9},
      {18, attribute, "<r q=\"&quot;&#10;", 1, 0},
  };
  for (const Case& k : cases) {
    Outcome o = run(0, k.script, k.size);
    EXPECT_EQ(o.text, k.left) << k.size;
    EXPECT_EQ(o.needed, k.needed) << k.size;
    EXPECT_EQ(o.available, k.available) << k.size;
  }
}

}  // namespace
