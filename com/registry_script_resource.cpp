#include "com/registry_script_resource.hpp"

namespace com::module {
namespace {
// module.rgs as a string literal, written by the build.
constexpr std::string_view script =
#include "module_rgs.inc"
    ;
}  // namespace

HRESULT registry_script_resource(std::string_view& text) noexcept {
  text = script;
  return S_OK;
}

}  // namespace com::module
