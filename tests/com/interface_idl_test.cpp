// The catalogue's shapes as the host describes them, which samples the catalogue's data too.
#include "com/interface_idl.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string idl() {
  std::ostringstream out;
  com::marshal::write_interface_idl(out);
  return out.str();
}

TEST(InterfaceIdl, WritesSampledParameterShapes) {
  const std::string text = idl();
  for (std::string_view expected : {
           "interface IInBandService : IUnknown\n{\n    HRESULT Method3([in] ArrayOfIUnknown* p0, "
           "[in] long p1, [in] IEE8A3350_799C_428D_89B9_F76B420B15BC* p2, "
           "[out] I49103694_ACFA_4526_A30A_7DA4399062EE** p3);\n}\n",
           "    HRESULT Method6([in] IUnknown* p0, [in] Triple p1);\n",
           "    HRESULT Method7([in] hyper p0, [out] IAllocationSpaceProperty_Method7_P1* p1);\n",
           "    HRESULT Method14(void);\n",
           "    HRESULT Method18([out] IEnumUnknown** p0);\n}\n",  // the last of nineteen slots
           "{\n    hyper field0;\n    hyper field1;\n    long field2;\n    short field3;\n"
           "    IUnknown* field4;\n} IAllocationSpaceProperty_Method7_P1;\n",
           "{\n    I5274CC44_553C_4A2A_95A6_989F64CFDDEF* field0;\n    IUnknown* field1;\n"
           "    small field2;\n} OutOfBandMember;\n",
           "{\n    GUID field0;\n    long field1;\n} GuidValue;\n",
           "{\n    LPWSTR field0;\n    long field1;\n} IInBandState_Method12_P0Item;\n",
           "{\n    Enum16 field0;\n    long field1;\n} ISwitchingManager_Method11_P2Item;\n",
           "{\n    long count;\n    [ref, size_is(count)] long* items;\n} ArrayOfLong;\n",
           "    [unique, size_is(count)] ScheduleRecord_Field2Item* items;\n",
           "[object, local, uuid(5274CC44-553C-4A2A-95A6-989F64CFDDEF)]\n"
           "interface I5274CC44_553C_4A2A_95A6_989F64CFDDEF : IUnknown\n",
       })
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
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
