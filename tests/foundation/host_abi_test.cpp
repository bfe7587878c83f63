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

#include <cstdint>
#include <cstring>
#include <string>

#include "veduvedader/eventui.h"

namespace {

#ifdef _WIN32
using Module = HMODULE;
Module load(const char* path) { return LoadLibraryA(path); }
void unload(Module module) { FreeLibrary(module); }
void* symbol(Module module, const char* name) {
  FARPROC function = GetProcAddress(module, name);
  void* address = nullptr;
  std::memcpy(&address, &function, sizeof address);
  return address;
}
std::string load_error() { return "error " + std::to_string(GetLastError()); }
#else
using Module = void*;
Module load(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
void unload(Module module) { dlclose(module); }
void* symbol(Module module, const char* name) { return dlsym(module, name); }
std::string load_error() { return dlerror(); }
#endif

template <class Function>
Function function(Module module, const char* name) {
  void* address = symbol(module, name);
  Function typed = nullptr;
  std::memcpy(&typed, &address, sizeof typed);
  return typed;
}

// The results a viewer expects, by value: the header leaves naming them to the platform.
constexpr HRESULT s_ok = 0;
constexpr HRESULT s_false = 1;
constexpr HRESULT failure(std::uint32_t bits) { return static_cast<HRESULT>(bits); }
const HRESULT e_pointer = failure(0x80004003);

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

}  // namespace
