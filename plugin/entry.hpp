// The generic entries behind every EVENTUI record: they guard the arguments, build the cursor
// and the sink on the stack, run one renderer, and turn whatever it raises into an HRESULT.
// No exception ever leaves an entry.
#pragma once

#include <cstdint>
#include <exception>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {

using XmlRenderer = void (*)(xml_output&, ByteCursor&);
using TextRenderer = std::uint32_t (*)(text_output&, ByteCursor&);

// The HRESULT of an error and, for errors that carry or produce one, its error information
// (a new reference in *info, which is null on entry).
HRESULT classify_exception(const std::exception& e, IErrorInfo** info) noexcept;
// classify_exception, then sets the thread's error information (cleared when there is none).
HRESULT exception_to_hresult(const std::exception& e) noexcept;

// The guards every entry applies before anything is written: E_POINTER for a null buffer or a
// null payload of non-zero length, E_INVALIDARG for a zero-sized buffer. S_OK to go on.
HRESULT check_arguments(std::uint32_t cbPayload, const std::uint8_t* pbPayload,
                        const char16_t* pszBuffer, std::uint32_t cchBuffer) noexcept;
// Reports a failed guard or a signal from outside the error family: clears the thread's error
// information and returns hr.
HRESULT fail_without_info(HRESULT hr) noexcept;

template <XmlRenderer Render>
HRESULT EVENTUI_CALL xml_entry(std::uint32_t /*dwReserved*/, std::uint32_t cbPayload,
                  const std::uint8_t* pbPayload, char16_t* pszBuffer,
                  std::uint32_t cchBuffer) noexcept {
  if (HRESULT hr = check_arguments(cbPayload, pbPayload, pszBuffer, cchBuffer); hr != S_OK)
    return fail_without_info(hr);
  try {
    ByteCursor cursor(pbPayload, cbPayload);
    xml_output out(pszBuffer, cchBuffer);
    // Three levels in, not zero: viewers show the fragment under elements of their own.
    out.indent();
    out.indent();
    out.indent();
    Render(out, cursor);
    return S_OK;
  } catch (const std::exception& e) {
    return exception_to_hresult(e);
  } catch (...) {
    return fail_without_info(E_UNEXPECTED);
  }
}

template <TextRenderer Render>
HRESULT EVENTUI_CALL text_entry(std::uint32_t /*dwReserved*/, std::uint32_t cbPayload,
                   const std::uint8_t* pbPayload, char16_t* pszBuffer, std::uint32_t cchBuffer,
                   std::uint32_t* pcrColour) noexcept {
  if (pcrColour == nullptr) return fail_without_info(E_POINTER);
  if (HRESULT hr = check_arguments(cbPayload, pbPayload, pszBuffer, cchBuffer); hr != S_OK)
    return fail_without_info(hr);
  try {
    ByteCursor cursor(pbPayload, cbPayload);
    text_output out(pszBuffer, cchBuffer);
    *pcrColour = Render(out, cursor);
    return S_OK;
  } catch (const std::exception& e) {
    return exception_to_hresult(e);
  } catch (...) {
    return fail_without_info(E_UNEXPECTED);
  }
}

}  // namespace ui::event
