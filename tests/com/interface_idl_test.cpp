#include "host/interface_idl.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "com/guid_text.hpp"
#include "com/interface_catalogue.hpp"

namespace {

std::string idl() {
  std::ostringstream out;
  host::write_interface_idl(out);
  return out.str();
}

// The body of one interface block, between its braces.
std::string interface_body(const std::string& text, std::string_view name) {
  std::string head = "interface " + std::string(name) + " : IUnknown\n{\n";
  std::size_t start = text.find(head);
  if (start == std::string::npos) return "(missing)";
  start += head.size();
  return text.substr(start, text.find("}\n", start) - start);
}

TEST(InterfaceIdl, HasOneBlockPerInterfaceWithItsUuidAndSlots) {
  const std::string text = idl();
  for (const auto& description : com::marshal::interface_catalogue) {
    SCOPED_TRACE(description.name);
    std::string attributes =
        "[object, uuid(" + std::string(com::guid_text<char>(description.iid).bare()) +
        "), pointer_default(unique)]\ninterface " + std::string(description.name) + " : IUnknown\n";
    std::size_t at = text.find(attributes);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(text.find(attributes, at + 1), std::string::npos);

    std::istringstream body(interface_body(text, description.name));
    unsigned slot = 3;
    for (std::string line; std::getline(body, line); ++slot)
      EXPECT_EQ(line.rfind("    HRESULT Method" + std::to_string(slot) + "(", 0), 0u) << line;
    EXPECT_EQ(slot, description.method_count);
  }
}

TEST(InterfaceIdl, WritesParameterShapes) {
  const std::string text = idl();
  EXPECT_EQ(interface_body(text, "IInBandSessionEvents"),
            "    HRESULT Method3([in] IUnknown* p0);\n"
            "    HRESULT Method4([in] IUnknown* p0, [in] InBandSessionRecord* p1);\n"
            "    HRESULT Method5([in] IUnknown* p0, [in] InBandSessionRecord* p1);\n"
            "    HRESULT Method6([in] IUnknown* p0, [in] Triple p1);\n");
  EXPECT_EQ(interface_body(text, "IInBandService"),
            "    HRESULT Method3([in] ArrayOfIUnknown* p0, [in] long p1, "
            "[in] IEE8A3350_799C_428D_89B9_F76B420B15BC* p2, "
            "[out] I49103694_ACFA_4526_A30A_7DA4399062EE** p3);\n");
  std::string property = interface_body(text, "IAllocationSpaceProperty");
  EXPECT_NE(property.find("    HRESULT Method14(void);\n"), std::string::npos);
  EXPECT_NE(
      property.find(
          "    HRESULT Method7([in] hyper p0, [out] IAllocationSpaceProperty_Method7_P1* p1);\n"),
      std::string::npos);

  EXPECT_NE(
      text.find("typedef struct GuidValue\n{\n    GUID field0;\n    long field1;\n} GuidValue;\n"),
      std::string::npos);
  EXPECT_NE(
      text.find(
          "typedef struct ArrayOfLong\n{\n    long count;\n    [ref, size_is(count)] long* items;\n"
          "} ArrayOfLong;\n"),
      std::string::npos);
  EXPECT_NE(text.find("typedef struct ScheduleRecord\n{\n"
                      "    ScheduleRecord_Field0 field0;\n"
                      "    ScheduleRecord_Field0 field1;\n"
                      "    ScheduleRecord_Field2 field2;\n"
                      "} ScheduleRecord;\n"),
            std::string::npos);
  EXPECT_NE(text.find("    [unique, size_is(count)] ScheduleRecord_Field2Item* items;\n"),
            std::string::npos);
  EXPECT_NE(text.find("[object, local, uuid(5274CC44-553C-4A2A-95A6-989F64CFDDEF)]\n"
                      "interface I5274CC44_553C_4A2A_95A6_989F64CFDDEF : IUnknown\n"),
            std::string::npos);
}

TEST(InterfaceIdl, DeclaresEveryNameOnceBeforeItsFirstUse) {
  const std::string text = idl();
  const std::regex declaration(R"((typedef struct|interface) (\w+))");
  std::set<std::string> typedefs;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration);
       it != std::sregex_iterator(); ++it) {
    const std::string name = (*it)[2];
    if ((*it)[1] == "typedef struct") {
      EXPECT_TRUE(typedefs.insert(name).second) << name << " twice";
    }
    // A name is first mentioned where it is declared (an interface maybe forward).
    std::smatch first;
    ASSERT_TRUE(std::regex_search(text, first, std::regex("\\b" + name + "\\b")));
    const std::string before = first.prefix();
    EXPECT_TRUE(before.ends_with("typedef struct ") || before.ends_with("interface ")) << name;
  }
  EXPECT_GT(typedefs.size(), 40u);
}

}  // namespace
