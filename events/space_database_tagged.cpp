#include "events/space_database_tagged.hpp"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string_view>

#include "com/error.hpp"
#include "com/task_string.hpp"
#include "io/errors.hpp"
#include "io/formatting.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {
namespace {

enum SpaceDatabaseChangeTag : std::uint8_t {
  end_of_changes = 0,
  guard_band_changed = 1,
  pool_list_changed = 2,
};

// A bandwidth pool range as the tagged list holds it; the value and the name are kept with the
// range although neither is shown.
struct PoolRange {
  std::uint64_t base;
  std::uint64_t top;
  std::uint32_t value;
  com::TaskString name;
};
// Storage is sized from this, and the largest count accepted follows from it: a count past
// 4 GiB / 24 on 32-bit builds, past 4 GiB / 32 on 64-bit ones, is out of memory.
static_assert(sizeof(PoolRange) == (sizeof(void*) == 4 ? 24 : 32));

// The least a range takes in the payload: two frequencies, the value and a name count.
constexpr std::uint64_t min_encoded_range = 8 + 8 + 4 + 2;

// The ranges of one pool list in task memory, released with their names on every path.
class PoolRangeList {
 public:
  // Delegating first makes the destructor release what was read when a later read fails.
  explicit PoolRangeList(ByteCursor& cursor) : PoolRangeList() { read(cursor); }
  PoolRangeList(const PoolRangeList&) = delete;
  PoolRangeList& operator=(const PoolRangeList&) = delete;
  ~PoolRangeList() {
    std::destroy_n(ranges_, size_);
    CoTaskMemFree(ranges_);
  }

  std::span<const PoolRange> ranges() const noexcept { return {ranges_, size_}; }

 private:
  PoolRangeList() noexcept = default;
  void read(ByteCursor& cursor);

  PoolRange* ranges_ = nullptr;
  std::size_t size_ = 0;
};

void PoolRangeList::read(ByteCursor& cursor) {
  const std::uint32_t count = cursor.read_u32();
  cursor.steers(io::LayoutRole::count);
  if (std::uint64_t{count} * sizeof(PoolRange) > std::numeric_limits<std::uint32_t>::max())
    throw com::error(E_OUTOFMEMORY, nullptr);
  // The count comes from the payload: refuse one the bytes left cannot hold before allocating
  // storage for it.
  const std::uint64_t least_needed = count * min_encoded_range;
  if (least_needed > cursor.remaining())
    throw io::underflow(static_cast<std::uint32_t>(least_needed),
                        static_cast<std::uint32_t>(cursor.remaining()));
  if (count == 0) return;
  ranges_ = static_cast<PoolRange*>(CoTaskMemAlloc(count * sizeof(PoolRange)));
  if (ranges_ == nullptr) throw com::error(E_OUTOFMEMORY, nullptr);
  for (; size_ < count; ++size_) {
    const std::uint64_t base = cursor.read_u64();
    const std::uint64_t top = cursor.read_u64();
    const std::uint32_t value = cursor.read_u32();
    std::construct_at(ranges_ + size_, PoolRange{base, top, value, cursor.read_task_wstring()});
  }
}

struct GuardBandChange {
  explicit GuardBandChange(ByteCursor& cursor) : old_value(cursor.read_u32()), new_value(cursor.read_u32()) {}
  std::uint32_t old_value;
  std::uint32_t new_value;
};

// Both lists are read before either is written.
struct PoolListChange {
  explicit PoolListChange(ByteCursor& cursor) : old_list(cursor), new_list(cursor) {}
  PoolRangeList old_list;
  PoolRangeList new_list;
};

// Base "-" top, with "/" between two ranges.
template <class Sink>
void write_ranges(Sink& out, const PoolRangeList& list) {
  bool first = true;
  for (const PoolRange& range : list.ranges()) {
    if (!first) out.put_text(std::string_view("/"));
    first = false;
    io::format_frequency(out, static_cast<std::int64_t>(range.base));
    out.put_text(std::string_view("-"));
    io::format_frequency(out, static_cast<std::int64_t>(range.top));
  }
}

template <class WriteOld, class WriteNew>
void write_change(xml_output& out, std::string_view name, const WriteOld& write_old,
                  const WriteNew& write_new) {
  out.start_element_line("change", "name", name);
  out.start_element("old");
  write_old();
  out.end_element_line();
  out.start_element("new");
  write_new();
  out.end_element_line();
  out.end_element_line();
}

// `opening` names what changed and opens the quote of its old value.
template <class WriteOld, class WriteNew>
void write_clause(text_output& out, std::string_view opening, const WriteOld& write_old,
                  const WriteNew& write_new) {
  out.put_text(opening);
  write_old();
  out.put_text(std::string_view("' to '"));
  write_new();
  out.put_text(std::string_view("'"));
}

}  // namespace

void render_space_database_tagged_xml(xml_output& out, ByteCursor& cursor) {
  for (;;) {
    const std::uint8_t tag = cursor.read_u8();
    cursor.steers(io::LayoutRole::tag);
    switch (tag) {
      case end_of_changes:
        return;
      case guard_band_changed: {
        const GuardBandChange change(cursor);
        write_change(
            out, "guard band", [&] { io::format_integer(out, change.old_value); },
            [&] { io::format_integer(out, change.new_value); });
        break;
      }
      case pool_list_changed: {
        const PoolListChange change(cursor);
        write_change(
            out, "bandwidth pool list", [&] { write_ranges(out, change.old_list); },
            [&] { write_ranges(out, change.new_list); });
        break;
      }
      default:  // a tag without meaning carries nothing
        break;
    }
  }
}

std::uint32_t render_space_database_tagged_text(text_output& out, ByteCursor& cursor) {
  out.put_text(std::string_view("Changed "));
  for (bool first = true;; first = false) {
    const std::uint8_t tag = cursor.read_u8();
    cursor.steers(io::LayoutRole::tag);
    if (tag == end_of_changes) {
      out.put_text(std::string_view("."));
      return EVENTUI_COLOUR_CHANGED;
    }
    // A tag without meaning still counts as a change of its own.
    if (!first) out.put_text(std::string_view(" and, "));
    switch (tag) {
      case guard_band_changed: {
        const GuardBandChange change(cursor);
        write_clause(
            out, "guard band from '", [&] { io::format_integer(out, change.old_value); },
            [&] { io::format_integer(out, change.new_value); });
        break;
      }
      case pool_list_changed: {
        const PoolListChange change(cursor);
        write_clause(
            out, "bandwidth pool list from '", [&] { write_ranges(out, change.old_list); },
            [&] { write_ranges(out, change.new_list); });
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace ui::event
