#include "io/byte_cursor.hpp"

#include "com/error.hpp"
#include "com/ole_text.hpp"
#include "io/errors.hpp"

namespace {
constexpr std::size_t max_display_name = 259;
}  // namespace

void ByteCursor::raise_underflow(std::size_t needed) const {
#if VED_OBSERVE_READS
  if (observer_ != nullptr) observer_->underflow(offset(), needed, remaining());
#endif
  throw io::underflow(static_cast<std::uint32_t>(needed), static_cast<std::uint32_t>(remaining()));
}

io::NarrowText ByteCursor::read_string() {
  std::uint16_t count = read_le<std::uint16_t>(io::Primitive::text_length);
  if (count == 0) return {};
  return {{reinterpret_cast<const char*>(take(count, io::Primitive::text_bytes)), count}};
}

io::WideText ByteCursor::read_wstring() {
  std::uint16_t count = read_le<std::uint16_t>(io::Primitive::wide_text_length);
  if (count == 0) return {};
  return {take(2 * std::size_t{count}, io::Primitive::wide_text_units), count};
}

com::ComPtr<IMoniker> ByteCursor::read_moniker() {
  auto count = static_cast<std::int16_t>(read_le<std::uint16_t>(io::Primitive::moniker_length));
  if (count > static_cast<std::int16_t>(max_display_name))
    throw io::overflow(static_cast<std::uint32_t>(count), max_display_name + 1);
  // A negative count, taken as unsigned, asks for more bytes than any payload holds.
  auto needed = 2u * static_cast<std::uint32_t>(static_cast<std::int32_t>(count));
  if (count < 0) raise_underflow(needed);
  io::WideText text{take(needed, io::Primitive::moniker), static_cast<std::size_t>(count)};

  char16_t name[max_display_name + 1];
  text.copy_to(name);
  name[text.units] = u'\0';
  if (name[0] == u'\0' || std::u16string_view(name).starts_with(u"(none)")) return {};

  com::ComPtr<IBindCtx> bind_context;
  if (HRESULT hr = CreateBindCtx(0, bind_context.put()); FAILED(hr))
    com::error::raise_with_thread_info(hr);
  com::ComPtr<IMoniker> moniker;
  ULONG eaten = 0;
  if (HRESULT hr = MkParseDisplayName(bind_context.get(), com::ole(name), &eaten, moniker.put());
      FAILED(hr))
    com::error::raise_with_thread_info(hr);
  return moniker;
}

com::TaskString ByteCursor::read_task_wstring() {
  auto count = static_cast<std::int16_t>(read_le<std::uint16_t>(io::Primitive::task_text_length));
  if (count < 1) return {};
  std::size_t bytes = 2 * static_cast<std::size_t>(count);
  auto* buffer = static_cast<char16_t*>(CoTaskMemAlloc(bytes + 2));
  if (buffer == nullptr) throw com::error(E_OUTOFMEMORY, nullptr);
  com::TaskString result(buffer);
  io::WideText text{take(bytes, io::Primitive::task_text_units), static_cast<std::size_t>(count)};
  text.copy_to(buffer);
  buffer[text.units] = u'\0';
  return result;
}
