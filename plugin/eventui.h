// The binary interface between an event viewer and the plug-in.
#pragma once

#include <cstdint>

#include "platform/com.h"

using PFN_EVENTUI_XML = HRESULT (*)(std::uint32_t dwReserved, std::uint32_t cbPayload,
                                    const std::uint8_t* pbPayload, char16_t* pszBuffer,
                                    std::uint32_t cchBuffer);
using PFN_EVENTUI_TEXT = HRESULT (*)(std::uint32_t dwReserved, std::uint32_t cbPayload,
                                     const std::uint8_t* pbPayload, char16_t* pszBuffer,
                                     std::uint32_t cchBuffer, std::uint32_t* pcrColour);

struct EVENTUI {
  GUID guidType;
  PFN_EVENTUI_XML pfnXml;
  void* pReserved;
  PFN_EVENTUI_TEXT pfnText;
  const char16_t* pszName;
};
static_assert(sizeof(void*) != 8 || sizeof(EVENTUI) == 48);

inline constexpr IID IID_IEnumEVENTUI{
    0xD3685424, 0x6AC4, 0x4F3F, {0x8C, 0x8E, 0x11, 0x00, 0x7B, 0x46, 0x26, 0x95}};

struct IEnumEVENTUI : IUnknown {
  virtual HRESULT Next(ULONG celt, EVENTUI* rgelt, ULONG* pceltFetched) = 0;
  virtual HRESULT Skip(ULONG celt) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumEVENTUI** ppEnum) = 0;

 protected:
  ~IEnumEVENTUI() = default;
};

// Colours are COLORREF values, 0x00BBGGRR.
namespace colour {
inline constexpr std::uint32_t red = 0x000000FF;
inline constexpr std::uint32_t green = 0x0000FF00;
inline constexpr std::uint32_t white = 0x00FFFFFF;
inline constexpr std::uint32_t changed = 0x00FFFF80;
}  // namespace colour
