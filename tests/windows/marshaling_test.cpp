// Server objects of the switching interfaces live in the multithreaded apartment; the test's
// thread, in a single-threaded apartment, calls them through the proxies of the plug-in, which
// registers itself as their proxy/stub server. Every in- and out-parameter must arrive intact.
// (Error information does not cross apartments under Wine, so it is not checked here.)
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "switching_service_objects.hpp"

namespace test {
namespace {

// The plug-in registered as the proxy/stub server for the suite, the test thread in its own
// apartment.
class Marshaling : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    plugin = LoadLibraryA(VED_PLUGIN_PATH);
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(call("DllRegisterServer"), S_OK);
  }
  static void TearDownTestSuite() {
    EXPECT_EQ(call("DllUnregisterServer"), S_OK);
    FreeLibrary(plugin);
    CoUninitialize();
  }
  static HRESULT call(const char* entry) {
    FARPROC function = GetProcAddress(plugin, entry);
    if (function == nullptr) return E_FAIL;
    HRESULT(STDAPICALLTYPE * typed)() = nullptr;
    std::memcpy(&typed, &function, sizeof typed);
    return typed();
  }

  // Marshals the server from a thread of the multithreaded apartment, which keeps it reachable
  // until the calls through its proxy are done, and compares every parameter the calls list
  // with what the server noted.
  template <class Interface, class ServerObject>
  void expect_intact(ServerObject* server, const IID& iid,
                     const std::function<std::vector<std::wstring>(Interface*)>& calls) {
    std::promise<IStream*> marshaled;
    std::promise<void> done;
    std::thread apartment([&] {
      HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      IStream* stream = nullptr;
      if (SUCCEEDED(hr)) CoMarshalInterThreadInterfaceInStream(iid, server, &stream);
      marshaled.set_value(stream);
      done.get_future().wait();
      if (SUCCEEDED(hr)) CoUninitialize();
    });
    IStream* stream = marshaled.get_future().get();
    void* proxy = nullptr;
    if (stream == nullptr) {
      ADD_FAILURE() << "the server was not marshalled";
    } else {
      EXPECT_EQ(CoGetInterfaceAndReleaseStream(stream, iid, &proxy), S_OK);
    }
    if (proxy != nullptr) {
      EXPECT_NE(proxy, static_cast<void*>(server));
      EXPECT_EQ(calls(static_cast<Interface*>(proxy)), server->log.parameters);
      // The calls ran in the server's apartment, on one of its threads.
      EXPECT_EQ(server->log.apartment, APTTYPE_MTA);
      EXPECT_NE(server->log.thread, GetCurrentThreadId());
      static_cast<Interface*>(proxy)->Release();
    }
    done.set_value();
    apartment.join();
    server->Release();
  }

  static inline HMODULE plugin = nullptr;
};

// Each test calls through the proxy and answers every parameter, in call order, as the server
// must have seen it: in-parameters as sent, out-parameters as received.
TEST_F(Marshaling, OutOfBandRecordsArraysAndInterfacePointers) {
  expect_intact<IOutOfBand>(new OutOfBandServer, IID_IOutOfBand, [](IOutOfBand* proxy) {
    // The members' IUnknown pointers are markers of this apartment, which the server calls
    // back; those it answers with stay in its apartment and answer through proxies.
    Value members(wire::array_OutOfBandC, 1), number(wire::i64, 2), marker(wire::unknown, 3);
    Value a(wire::OutOfBandA, 4), out_a(wire::OutOfBandA), out_b(wire::OutOfBandB);
    Value out_number(wire::i64);
    hyper n = *number.as<hyper>();
    EXPECT_EQ(proxy->Method10(members.as<ArrayOfOutOfBandC>()), S_OK);
    EXPECT_EQ(proxy->Method13(n, out_a.as<OutOfBandA>(), out_b.as<OutOfBandB>()), S_OK);
    EXPECT_EQ(proxy->Method5(out_number.as<hyper>(), a.as<OutOfBandA>()), S_OK);
    EXPECT_EQ(proxy->Method14(n, *marker.as<IUnknown*>()), S_OK);
    return std::vector{members.text(),                            // Method10
                       number.text(),     out_a.text(), out_b.text(),  // Method13
                       out_number.text(), a.text(),                    // Method5
                       number.text(),     marker.text()};              // Method14
  });
}

TEST_F(Marshaling, InBandStateNestedRecordsArraysAndTexts) {
  expect_intact<IInBandState>(new InBandStateServer, IID_IInBandState, [](IInBandState* proxy) {
    Value a(wire::InBandStateA, 1), request(wire::session_request, 2), triple(wire::Triple, 3);
    Value out_a(wire::InBandStateA), out_b(wire::InBandStateB);
    Value sessions(wire::array_InBandSessionRecord), named(wire::array_wstr_i32);
    EXPECT_EQ(proxy->Method4(a.as<InBandStateA>()), S_OK);
    EXPECT_EQ(proxy->Method6(out_a.as<InBandStateA>(), out_b.as<InBandStateB>()), S_OK);
    EXPECT_EQ(proxy->Method7(request.as<IInBandState_Method7_P0>()), S_OK);
    EXPECT_EQ(proxy->Method8(*triple.as<Triple>()), S_OK);
    EXPECT_EQ(proxy->Method9(sessions.as<ArrayOfInBandSessionRecord>()), S_OK);
    EXPECT_EQ(proxy->Method12(named.as<IInBandState_Method12_P0>()), S_OK);
    return std::vector{a.text(),     out_a.text(), out_b.text(), request.text(),
                       triple.text(), sessions.text(), named.text()};
  });
}

TEST_F(Marshaling, SwitchingManagerDeviceArraysAndPolicies) {
  expect_intact<ISwitchingManager>(
      new SwitchingManagerServer, IID_ISwitchingManager, [](ISwitchingManager* proxy) {
        // The devices' interface is another module's: null pointers travel without its proxies.
        Value devices(wire::array_D, 1), number(wire::i32, 2), device(wire::D);
        Value reservations(wire::array_ReservationRecord, 3), marker(wire::unknown, 4);
        Value policy(wire::ManagerPolicyRecord, 5);
        Value out_reservations(wire::array_ReservationRecord);
        Value out_policy(wire::ManagerPolicyRecord);
        auto* unknown = *marker.as<IUnknown*>();
        auto* no_device = *device.as<Device*>();
        EXPECT_EQ(proxy->Method3(devices.as<DeviceArray>(), *number.as<LONG>()), S_OK);
        EXPECT_EQ(proxy->Method7(no_device, out_reservations.as<ArrayOfReservationRecord>()), S_OK);
        EXPECT_EQ(proxy->Method8(no_device, reservations.as<ArrayOfReservationRecord>()), S_OK);
        EXPECT_EQ(proxy->Method13(unknown, out_policy.as<ManagerPolicyRecord>()), S_OK);
        EXPECT_EQ(proxy->Method14(unknown, policy.as<ManagerPolicyRecord>()), S_OK);
        return std::vector{devices.text(), number.text(),               // Method3
                           device.text(),  out_reservations.text(),     // Method7
                           device.text(),  reservations.text(),         // Method8
                           marker.text(),  out_policy.text(),           // Method13
                           marker.text(),  policy.text()};              // Method14
      });
}

}  // namespace
}  // namespace test
