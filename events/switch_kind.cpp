#include "events/switch_kind.hpp"

namespace data {
namespace {

struct SwitchKindWords {
  std::string_view article;
  std::string_view name;
};

struct SwitchKindRow {
  SwitchKind kind;
  SwitchKindWords words;
};

constexpr SwitchKindRow named_kinds[] = {
    {SwitchKind::internal, {"An ", "internal"}},
    {SwitchKind::diagnostic, {"A ", "diagnostic"}},
    {SwitchKind::user_application, {"A ", "user application"}},
    {SwitchKind::automatic_application, {"An ", "automatic application"}},
    {SwitchKind::scheduled, {"A ", "scheduled"}},
};

constexpr SwitchKindWords unknown_kind{"An ", "unknown"};

const SwitchKindWords& words_for(SwitchKind kind) noexcept {
  for (const SwitchKindRow& row : named_kinds)
    if (row.kind == kind) return row.words;
  return unknown_kind;
}

}  // namespace

std::string_view switch_kind_name(SwitchKind kind) noexcept { return words_for(kind).name; }

std::string_view switch_kind_article(SwitchKind kind) noexcept { return words_for(kind).article; }

}  // namespace data
