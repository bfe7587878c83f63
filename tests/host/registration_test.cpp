// The COM plumbing through the host: the interface catalogue as IDL and the registration exports.
// What the IDL and the registry hold is pinned by the com suite; here, that each command shows it.
#include <gtest/gtest.h>

#include <regex>
#include <tuple>

#include "host_process.hpp"

namespace host_test {
namespace {

TEST(HostRegistration, EachCommandShowsWhatItDid) {
  // A command, a pattern, and how often its output holds it.
  using Case = std::tuple<const char*, const char*, std::ptrdiff_t>;
  for (const auto& [command, pattern, times] : std::vector<Case>{
           {"interfaces", R"(\[object, uuid\()", 15},  // the catalogue, not the six others define
           {"register", R"(^DllRegisterServer: 0x00000000 S_OK\n)", 1},
           {"register", R"(ProxyStubClsid32\]\n@="\{2C4A3806-2767-4684-90DC-F42CF4FCBA6E\}")", 15},
           {"unregister", R"(^DllUnregisterServer: 0x00000000 S_OK\n)", 1},
           {"unregister", R"(\[HKEY_CLASSES_ROOT)", 0},
       }) {
    Outcome run = run_host({{command}});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::regex expected(pattern);
    const std::sregex_iterator first(run.out.begin(), run.out.end(), expected);
    EXPECT_EQ(std::distance(first, std::sregex_iterator()), times) << command << " " << pattern;
  }
}

}  // namespace
}  // namespace host_test
