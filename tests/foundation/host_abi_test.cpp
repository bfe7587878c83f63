// Uses the plug-in exactly as a C++ event viewer does: the loader, the exported functions and
// the viewers' header only. The same test runs against both Windows builds, under Wine.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "com/guid_text.hpp"
#include "veduvedader/eventui.h"

namespace {

#ifdef _WIN32
using Module = HMODULE;
Module load(const char* path) { return LoadLibraryA(path); }
void unload(Module module) { FreeLibrary(module); }
std::string load_error() { return "error " + std::to_string(GetLastError()); }
#else
using Module = void*;
Module load(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
void unload(Module module) { dlclose(module); }
std::string load_error() { return dlerror(); }
#endif

template <class Function>
Function function(Module module, const char* name) {
#ifdef _WIN32
  FARPROC address = GetProcAddress(module, name);
#else
  void* address = dlsym(module, name);
#endif
  Function typed = nullptr;
  std::memcpy(&typed, &address, sizeof typed);
  return typed;
}

// The results a viewer expects, by value: the header leaves naming them to the platform.
constexpr HRESULT s_ok = 0;
constexpr HRESULT s_false = 1;
constexpr HRESULT failure(std::uint32_t bits) { return static_cast<HRESULT>(bits); }
const HRESULT e_pointer = failure(0x80004003);

// The event-type GUIDs that stored events carry, row by row: written here by hand, so that a
// change to the catalogue cannot move one unnoticed.
constexpr std::array<std::string_view, 30> event_types{
    "{E75FCDFC-EBF9-4EB7-A6CD-6E341695442E}", "{47761D93-AD87-4314-B78B-BE286D6114D7}", "{32AC1F76-CB0C-491B-B2D9-7BF7417FBDB1}",
    "{B9178438-058D-49F7-908A-C8685A8F5669}", "{80FC9403-5AA8-4D9C-962A-11D5197A95F7}", "{15FB2087-B617-436E-AA2D-EF6B2BA17E81}",
    "{A03758A6-2081-45F5-A5D1-2E56101CEA78}", "{8956F0D4-9546-421A-A558-57EA18B446BB}", "{0FA46FA6-48E6-4A6E-94E6-CEAE683B5B67}",
    "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}", "{579C8A57-F0A4-40EE-9648-377CE8572512}", "{A03758A6-2081-45F5-A5D1-2E56101CEA78}",
    "{0D5D375C-2F13-4C2A-A18B-A1623C745DC9}", "{2D0FD8BA-1FB6-4AE0-8C49-D2494FD3157A}", "{BE9CB57C-B916-4E1A-81CF-E98B5306C0F1}",
    "{D757A97F-0E5D-4D22-922D-89ED4B877BE0}", "{BDF2EE1D-D825-44BF-8D0E-8CACB51F9AC9}", "{B2EFEC69-CDE5-444C-9E8F-610FB83F47DA}",
    "{C35CDBA7-F0DE-41A8-A63F-CFF636939A4F}", "{36A87D25-60BB-4581-8835-49A9D9C31F41}", "{CDFCE450-4B4B-4806-B283-C959E926B05B}",
    "{77AE5179-A403-4D76-9C70-04576B52F72E}", "{F60D9DD4-21EA-426C-B124-15C33B38A796}", "{F76B8226-0295-4D2C-97C7-F3BAE4C12F62}",
    "{7F15F89A-83EF-42DD-9670-6BA8286D500D}", "{300302AA-FE6D-4DBC-9490-B842F92C3C4C}", "{9888D44A-58B7-47B0-9BEA-44F68F58BDE7}",
    "{89B654D2-A847-43FA-8405-D25D73562AD6}", "{3DBCE266-A4E7-48AC-8B56-9B99C1C3BC50}", "{C47B8195-F2CF-4E17-AC5F-9F3AC56FD23E}",
};

class HostAbi : public ::testing::Test {
 protected:
  void SetUp() override {
    handle = load(VED_PLUGIN_PATH);
    ASSERT_NE(handle, nullptr) << load_error();
    enumerate = function<PFN_UI_ENUMEVENTUI>(handle, "UI_EnumEVENTUI");
    can_unload = function<HRESULT(EVENTUI_CALL*)()>(handle, "DllCanUnloadNow");
    get_class_object =
        function<HRESULT(EVENTUI_CALL*)(const GUID&, REFIID, void**)>(handle, "DllGetClassObject");
    ASSERT_TRUE(enumerate && can_unload && get_class_object);
  }
  void TearDown() override {
    if (handle != nullptr) unload(handle);
  }

  Module handle = nullptr;
  PFN_UI_ENUMEVENTUI enumerate = nullptr;
  HRESULT(EVENTUI_CALL* can_unload)() = nullptr;
  HRESULT(EVENTUI_CALL* get_class_object)(const GUID&, REFIID, void**) = nullptr;
};

// The rows, their names and every entry through this interface are the C viewer's to check
// (tests/viewer), on both systems; the guards and the lock count are these.
TEST_F(HostAbi, GuardsAndLockCount) {
  EXPECT_EQ(enumerate(nullptr), e_pointer);
  // Any class, the proxy factory's included: nothing is written through a null out-pointer.
  EXPECT_EQ(get_class_object(IID_IEnumEVENTUI, IID_IEnumEVENTUI, nullptr), e_pointer);

  EXPECT_EQ(can_unload(), s_ok);
  IEnumEVENTUI* e = nullptr;
  ASSERT_EQ(enumerate(&e), s_ok);
  EXPECT_EQ(can_unload(), s_false);
  EVENTUI row{};
  ASSERT_EQ(e->Next(1, &row, nullptr), s_ok);
  char16_t buffer[4];
  std::uint32_t colour = 0;
  EXPECT_EQ(row.pfnText(0, 0, nullptr, buffer, 0, &colour), failure(0x80070057));
  EXPECT_EQ(row.pfnText(0, 0, nullptr, buffer, 4, nullptr), e_pointer);
  IEnumEVENTUI* clone = nullptr;
  ASSERT_EQ(e->Clone(&clone), s_ok);
  e->Release();
  EXPECT_EQ(can_unload(), s_false);
  clone->Release();
  EXPECT_EQ(can_unload(), s_ok);
}

TEST_F(HostAbi, RowsCarryTheirEventTypes) {
  IEnumEVENTUI* e = nullptr;
  ASSERT_EQ(enumerate(&e), s_ok);
  std::array<EVENTUI, event_types.size() + 1> rows{};
  ULONG fetched = 0;
  EXPECT_EQ(e->Next(static_cast<ULONG>(rows.size()), rows.data(), &fetched), s_false);
  e->Release();
  ASSERT_EQ(fetched, event_types.size());
  for (std::size_t row = 0; row < event_types.size(); ++row)
    EXPECT_EQ(com::guid_text<char>(rows[row].guidType).braced(), event_types[row]) << "row " << row;
}

}  // namespace
