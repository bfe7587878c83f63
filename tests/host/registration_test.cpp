// The COM plumbing through the host: the interface catalogue as IDL and the registration exports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::size_t count(const std::string& text, const std::regex& pattern) {
  return static_cast<std::size_t>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

TEST(HostRegistration, InterfacesAreWrittenAsOneIdlBlockEach) {
  Outcome run = run_host({{"interfaces"}});
  ASSERT_EQ(run.status, 0) << run.err;
  // The fifteen catalogued interfaces, besides the six that other modules define.
  EXPECT_EQ(count(run.out, std::regex(R"(\[object, uuid\()")), 15u);
  EXPECT_THAT(run.out, HasSubstr("uuid(E2F5A1C8-C96D-422E-B5BD-9180D1682A5C)"));
  EXPECT_THAT(run.out, HasSubstr("interface ISwitchingManager : IUnknown"));
}

TEST(HostRegistration, RegisterWritesTheProxyEntriesAndUnregisterLeavesNone) {
  Outcome registered = run_host({{"register"}});
  ASSERT_EQ(registered.status, 0) << registered.err;
  EXPECT_THAT(registered.out, HasSubstr("DllRegisterServer: 0x00000000 S_OK"));
  EXPECT_EQ(count(registered.out, std::regex(R"(\\ProxyStubClsid32\]\n@="\{2C4A3806-2767-4684-90DC-F42CF4FCBA6E\}")")), 15u);
  EXPECT_THAT(registered.out, HasSubstr("@=\"PSFactoryBuffer\""));
  EXPECT_THAT(registered.out, HasSubstr("\"ThreadingModel\"=\"Both\""));

  Outcome unregistered = run_host({{"unregister"}});
  ASSERT_EQ(unregistered.status, 0) << unregistered.err;
  EXPECT_THAT(unregistered.out, HasSubstr("DllUnregisterServer: 0x00000000 S_OK"));
  EXPECT_THAT(unregistered.out, Not(HasSubstr("[HKEY_CLASSES_ROOT")));
}

}  // namespace
}  // namespace host_test
