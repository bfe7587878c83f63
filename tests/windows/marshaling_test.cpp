// Server objects of the switching interfaces live in the multithreaded apartment; the test's
// thread, in a single-threaded apartment, calls them through the proxies of the plug-in, which
// registers itself as their proxy/stub server. Every in- and out-parameter must arrive intact.
// (Error information does not cross apartments under Wine, so it is not checked here.)
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <future>
#include <thread>

#include "switching_service_objects.hpp"

namespace test {
namespace {

void expect_same(const Received& sent, const Received& arrived) {
  EXPECT_EQ(sent.numbers, arrived.numbers);
  EXPECT_EQ(sent.markers, arrived.markers);
  EXPECT_EQ(sent.texts, arrived.texts);
  ASSERT_EQ(sent.guids.size(), arrived.guids.size());
  for (std::size_t i = 0; i < sent.guids.size(); ++i)
    EXPECT_TRUE(IsEqualGUID(sent.guids[i], arrived.guids[i])) << i;
}

template <class Record>
Received described(const Record& record) {
  Received result;
  describe(record, result);
  return result;
}

// A thread of the multithreaded apartment that marshals one object for other apartments and
// keeps it reachable until destroyed.
class ServerApartment {
 public:
  ServerApartment(IUnknown* object, const IID& iid) {
    std::future<HRESULT> result = marshaled_.get_future();
    thread_ = std::thread([this, &iid, object] {
      HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream_);
      if (SUCCEEDED(hr))
        hr = CoMarshalInterface(stream_, iid, object, MSHCTX_INPROC, nullptr, MSHLFLAGS_NORMAL);
      marshaled_.set_value(hr);
      stop_.get_future().wait();
      CoUninitialize();
    });
    marshal_result_ = result.get();
  }
  ~ServerApartment() {
    stop_.set_value();
    thread_.join();
    if (stream_ != nullptr) stream_->Release();
  }
  ServerApartment(const ServerApartment&) = delete;
  ServerApartment& operator=(const ServerApartment&) = delete;

  HRESULT marshal_result() const { return marshal_result_; }

  // The proxy for this apartment.
  template <class Interface>
  Interface* unmarshal(const IID& iid) {
    LARGE_INTEGER start{};
    if (FAILED(stream_->Seek(start, STREAM_SEEK_SET, nullptr))) return nullptr;
    void* proxy = nullptr;
    if (FAILED(CoUnmarshalInterface(stream_, iid, &proxy))) return nullptr;
    return static_cast<Interface*>(proxy);
  }

 private:
  // Both promises outlive the thread, which uses them.
  std::promise<HRESULT> marshaled_;
  std::promise<void> stop_;
  std::thread thread_;
  IStream* stream_ = nullptr;
  HRESULT marshal_result_ = E_FAIL;
};

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
    HRESULT (*typed)() = nullptr;
    std::memcpy(&typed, &function, sizeof typed);
    return typed();
  }

  // Marshals the server into the multithreaded apartment and calls `use` with its proxy.
  template <class Interface, class Server>
  void through_proxy(Server* server, const IID& iid, const std::function<void(Interface*)>& use) {
    {
      ServerApartment apartment(server, iid);
      ASSERT_EQ(apartment.marshal_result(), S_OK);
      Interface* proxy = apartment.unmarshal<Interface>(iid);
      ASSERT_NE(proxy, nullptr);
      EXPECT_NE(static_cast<void*>(proxy), static_cast<void*>(server));
      use(proxy);
      // The calls ran in the server's apartment, on one of its threads.
      EXPECT_EQ(server->received.apartment, APTTYPE_MTA);
      EXPECT_NE(server->received.thread, GetCurrentThreadId());
      proxy->Release();
    }
    server->Release();
  }

  static inline HMODULE plugin = nullptr;
};

TEST_F(Marshaling, OutOfBandRecordsArraysAndInterfaces) {
  auto* server = new OutOfBandServer;
  through_proxy<IOutOfBand>(server, IID_IOutOfBand, [&](IOutOfBand* proxy) {
    Received sent;

    OutOfBandA a = out_of_band_a(4);
    sent.numbers.push_back(-77);
    describe(a, sent);
    EXPECT_EQ(proxy->Method4(-77, &a), S_OK);

    OutOfBandA returned{};
    EXPECT_EQ(proxy->Method3(31, &returned), S_OK);
    sent.numbers.push_back(31);
    expect_same(described(out_of_band_a(31)), described(returned));

    hyper big = 0;
    OutOfBandA five = out_of_band_a(5);
    describe(five, sent);
    EXPECT_EQ(proxy->Method5(&big, &five), S_OK);
    EXPECT_EQ(big, -(std::int64_t{1} << 62) + 5);

    // Members carry markers of this apartment, which the server calls back.
    OutOfBandC c[2] = {out_of_band_c(2), out_of_band_c(3)};
    ArrayOfOutOfBandC list{2, c};
    sent.numbers.push_back(2);
    describe(c[0], sent);
    describe(c[1], sent);
    EXPECT_EQ(proxy->Method10(&list), S_OK);
    release(c[0]);
    release(c[1]);

    // The members' markers stay in the server's apartment and answer through proxies.
    OutOfBandB b{};
    EXPECT_EQ(proxy->Method12(12, &b), S_OK);
    sent.numbers.push_back(12);
    OutOfBandB expected = out_of_band_b(12);
    expect_same(described(expected), described(b));
    release(expected);
    release(b);

    IUnknown* marker = new_marker(1414);
    sent.numbers.push_back(-(std::int64_t{1} << 50));
    sent.markers.push_back(1414);
    EXPECT_EQ(proxy->Method14(-(std::int64_t{1} << 50), marker), S_OK);
    marker->Release();

    // What arrived at the server, in call order.
    expect_same(sent, server->received);
  });
}

TEST_F(Marshaling, InBandStateNestedRecordsArraysAndTexts) {
  auto* server = new InBandStateServer;
  through_proxy<IInBandState>(server, IID_IInBandState, [&](IInBandState* proxy) {
    Received sent;

    InBandStateA a = in_band_state_a(40);
    describe(a, sent);
    EXPECT_EQ(proxy->Method4(&a), S_OK);

    InBandStateA returned{};
    EXPECT_EQ(proxy->Method3(&returned), S_OK);
    expect_same(described(in_band_state_a(3)), described(returned));

    InBandStateA six_a{};
    InBandStateB six_b{};
    EXPECT_EQ(proxy->Method6(&six_a, &six_b), S_OK);
    expect_same(described(in_band_state_a(6)), described(six_a));
    expect_same(described(in_band_state_b(6)), described(six_b));

    LONG values[] = {1, -2, 2147483647, -2147483647 - 1};
    IInBandState_Method7_P0 request{{7, 8, 9}, 10, 11, 12, 13, {4, values}};
    sent.numbers.insert(sent.numbers.end(), {7, 8, 9, 10, 11, 12, 13, 4, 1, -2, 2147483647,
                                             -2147483647LL - 1});
    EXPECT_EQ(proxy->Method7(&request), S_OK);

    sent.numbers.insert(sent.numbers.end(), {-5, 0, 5});
    EXPECT_EQ(proxy->Method8(Triple{-5, 0, 5}), S_OK);

    ArrayOfInBandSessionRecord sessions{};
    EXPECT_EQ(proxy->Method9(&sessions), S_OK);
    ArrayOfInBandSessionRecord expected_sessions = in_band_sessions(9);
    ASSERT_EQ(sessions.count, expected_sessions.count);
    for (LONG i = 0; i < sessions.count; ++i)
      expect_same(described(expected_sessions.items[i]), described(sessions.items[i]));
    release(expected_sessions);
    release(sessions);

    IInBandState_Method12_P0 named{};
    EXPECT_EQ(proxy->Method12(&named), S_OK);
    ASSERT_EQ(named.count, 2);
    EXPECT_STREQ(named.items[0].field0, L"Hub-A \u00e9\u20ac");
    EXPECT_EQ(named.items[0].field1, 12);
    EXPECT_STREQ(named.items[1].field0, L"");
    EXPECT_EQ(named.items[1].field1, -12);
    release(named);

    expect_same(sent, server->received);
  });
}

TEST_F(Marshaling, SwitchingManagerDeviceArraysAndPolicies) {
  auto* server = new SwitchingManagerServer;
  through_proxy<ISwitchingManager>(server, IID_ISwitchingManager, [&](ISwitchingManager* proxy) {
    Received sent;

    // The devices' interface is another module's; null pointers travel without its proxies.
    Device* devices[3] = {};
    DeviceArray device_array{3, devices};
    sent.numbers.push_back(3);
    sent.markers.insert(sent.markers.end(), {0, 0, 0});
    sent.numbers.push_back(-3);
    EXPECT_EQ(proxy->Method3(&device_array, -3), S_OK);

    ArrayOfReservationRecord returned{};
    sent.markers.push_back(0);
    EXPECT_EQ(proxy->Method7(nullptr, &returned), S_OK);
    ArrayOfReservationRecord expected = reservations(7);
    ASSERT_EQ(returned.count, expected.count);
    for (LONG i = 0; i < returned.count; ++i)
      expect_same(described(expected.items[i]), described(returned.items[i]));
    release(expected);
    release(returned);

    ArrayOfReservationRecord list = reservations(80);
    sent.markers.push_back(0);
    sent.numbers.push_back(list.count);
    for (LONG i = 0; i < list.count; ++i) describe(list.items[i], sent);
    EXPECT_EQ(proxy->Method8(nullptr, &list), S_OK);
    release(list);

    IUnknown* marker = new_marker(1313);
    ManagerPolicyRecord policy{};
    sent.markers.push_back(1313);
    EXPECT_EQ(proxy->Method13(marker, &policy), S_OK);
    ManagerPolicyRecord expected_policy = manager_policy(13);
    expect_same(described(expected_policy), described(policy));
    release(expected_policy);
    release(policy);

    ManagerPolicyRecord sent_policy = manager_policy(140);
    sent.markers.push_back(1313);
    describe(sent_policy, sent);
    EXPECT_EQ(proxy->Method14(marker, &sent_policy), S_OK);
    release(sent_policy);
    marker->Release();

    expect_same(sent, server->received);
  });
}

}  // namespace
}  // namespace test
