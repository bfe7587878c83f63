#include "io/xml_output.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "events/xml_element.hpp"
#include "io/formatting.hpp"
#include "plugin/errors.hpp"
#include "support/render_harness.hpp"

namespace {

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
    } catch (const io::overflow& e) {
      o.error = e.what();
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

TEST(XmlOutput, Layouts) {
  struct Case {
    const char* name;
    std::uint32_t level;
    Script script;
    const char* expected;
  };
  const Case cases[] = {
      {"element with text", 3,
       [](xml_output& o) {
         o.start_element("type");
         o.put_text("internal");
         o.end_element();
         o.line_break();
       },
       "   <type>internal</type>\n"},
      {"empty element with attribute", 3,
       [](xml_output& o) {
         o.start_element("result");
         o.attribute("status", "success");
         o.end_element();
       },
       "   <result status=\"success\"/>"},
      {"nested with explicit indent", 0,
       [](xml_output& o) {
         o.start_element("a");
         o.put_text("\n");
         o.indent();
         o.start_element("b");
         o.end_element();
         o.put_text("\n");
         o.outdent();
         o.end_element();
       },
       "<a>\n  <b/>\n</a>"},
      {"empty text still closes the start tag", 0,
       [](xml_output& o) {
         o.start_element("device");
         o.put_text("");
         o.end_element();
       },
       "<device></device>"},
      {"nothing is escaped", 1,
       [](xml_output& o) {
         o.start_element("v");
         o.attribute("q", std::u16string_view(u"\"&"));
         o.put_text("x<y");
         o.end_element();
       },
       " <v q=\"\"&\">x<y</v>"},
      {"blank lines get their indentation; a trailing break defers it", 2,
       [](xml_output& o) { o.put_text("a\n\nb\n"); },
       "  a\n  \n  b\n"},
      {"null moniker", 0,
       [](xml_output& o) {
         o.start_element("device");
         o.attribute("moniker", static_cast<IMoniker*>(nullptr));
         o.end_element();
       },
       "<device moniker=\"(none)\"/>"},
  };
  for (const Case& k : cases) {
    Outcome o = run(k.level, k.script);
    EXPECT_EQ(o.error, "") << k.name;
    EXPECT_EQ(o.text, k.expected) << k.name;
  }
}

// Text is scanned for line breaks and widened in blocks, with an overlapping last block: a break
// at any position of any length must still be found and indented after, and every character kept.
TEST(XmlOutput, LineBreaksAreFoundAtEveryPosition) {
  for (std::size_t length = 1; length <= 40; ++length) {
    for (std::size_t at = 0; at < length; ++at) {
      std::string narrow;
      for (std::size_t i = 0; i < length; ++i) narrow += static_cast<char>('a' + i % 26);
      narrow[at] = '\n';
      const std::u16string wide(narrow.begin(), narrow.end());
      std::string expected = " " + narrow.substr(0, at + 1);
      if (at + 1 < length) expected += " " + narrow.substr(at + 1);
      const std::vector<std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(wide.data()),
                                            reinterpret_cast<const std::uint8_t*>(wide.data() + length));
      EXPECT_EQ(run(1, [&](xml_output& o) { o.put_text(narrow); }).text, expected) << length << " " << at;
      EXPECT_EQ(run(1, [&](xml_output& o) { o.put_text(std::u16string_view(wide)); }).text, expected)
          << length << " " << at;
      EXPECT_EQ(run(1, [&](xml_output& o) { o.put_text(io::WideText{bytes.data(), length}); }).text,
                expected)
          << length << " " << at;
    }
  }
}

// The one-write forms must leave exactly what their separate writes leave, at every buffer size.
TEST(XmlOutput, OneWriteFormsMatchTheirSeparateWritesAtEverySize) {
  struct Pair {
    const char* name;
    Script at_once;
    Script separately;
  };
  const auto text_element = [](auto text) {
    return Pair{"text element",
                [=](xml_output& o) {
                  o.start_element("outer");
                  ui::event::write_text_element(o, "name", text);
                  o.end_element();
                },
                [=](xml_output& o) {
                  o.start_element("outer");
                  o.start_element("name");
                  ui::event::element_content::put(o, text);
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
                  ui::event::end_with_text_line(o, content);
                },
                [=](xml_output& o) {
                  open(o);
                  ui::event::element_content::put(o, content);
                  o.end_element();
                  o.line_break();
                }};
  };
  const io::NumberText too_large = io::frequency_text(std::int64_t{1} << 57);
  const Pair pairs[] = {
      text_element("Modulator 3"),
      text_element(""),
      text_element("two\nlines"),
      text_element(io::frequency_text(14250000000)),
      text_element(too_large),  // fails after the start tag, as writing the number alone does
      text_and_end(io::integer_text(7), false),
      text_and_end(io::integer_text(7), true),
      text_and_end(std::u16string_view(u""), false),
      text_and_end(std::u16string_view(u""), true),  // the end tag starts a line
      text_and_end(too_large, false),
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
      {8, 0, attribute_element, "<result"},
      {9, 0, attribute_element, "<result "},                        // " " then the name
      {15, 0, attribute_element, "<result status"},
      {16, 0, attribute_element, "<result status="},
      {17, 0, attribute_element, "<result status=\""},              // the quote, then the value
      {23, 0, attribute_element, "<result status=\"failed"},
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

}  // namespace
