#include "events/switch_kind.hpp"

#include "io/enum_names.hpp"

namespace data {
namespace {

struct SwitchKindWords {
  std::string_view article;
  std::string_view name;
};

constexpr io::EnumRow<SwitchKind, SwitchKindWords> named_kinds[] = {
    {SwitchKind::internal, {"An ", "internal"}},
    {SwitchKind::diagnostic, {"A ", "diagnostic"}},
    {SwitchKind::user_application, {"A ", "user application"}},
    {SwitchKind::automatic_application, {"An ", "automatic application"}},
    {SwitchKind::scheduled, {"A ", "scheduled"}},
};

constexpr SwitchKindWords unknown_kind{"An ", "unknown"};

SwitchKindWords words_for(SwitchKind kind) noexcept {
  return io::enum_name_of(named_kinds, kind, unknown_kind);
}

}  // namespace

std::string_view switch_kind_name(SwitchKind kind) noexcept { return words_for(kind).name; }

std::string_view switch_kind_article(SwitchKind kind) noexcept { return words_for(kind).article; }

}  // namespace data
