// Server objects of the switching interfaces for the marshalling tests. The methods the tests
// call note every parameter as it arrived or as it was answered with fresh values, in parameter
// order; the tests note the same on their side of the proxies and compare.
#pragma once

#include <string>
#include <vector>

#include "com_object.hpp"
#include "wire_values.hpp"

namespace test {

struct CallLog {
  // Where the server ran: its thread and the kind of its apartment.
  DWORD thread = 0;
  APTTYPE apartment = APTTYPE_CURRENT;
  std::vector<std::wstring> parameters;

  void took(const wire::WireType& shape, const void* value) {
    thread = GetCurrentThreadId();
    APTTYPEQUALIFIER qualifier{};
    if (FAILED(CoGetApartmentType(&apartment, &qualifier))) apartment = APTTYPE_CURRENT;
    parameters.push_back(describe(shape, value));
  }
  void gave(const wire::WireType& shape, void* value) {
    fill(shape, value, 100 + static_cast<int>(parameters.size()));
    took(shape, value);
  }
};

class OutOfBandServer final : public ComObject<IOutOfBand> {
 public:
  OutOfBandServer() : ComObject(IID_IOutOfBand) {}
  CallLog log;

  HRESULT STDMETHODCALLTYPE Method5(hyper* p0, OutOfBandA* p1) override {
    log.gave(wire::i64, p0);
    log.took(wire::OutOfBandA, p1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method10(ArrayOfOutOfBandC* p0) override {
    log.took(wire::array_OutOfBandC, p0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method13(hyper p0, OutOfBandA* p1, OutOfBandB* p2) override {
    log.took(wire::i64, &p0);
    log.gave(wire::OutOfBandA, p1);
    log.gave(wire::OutOfBandB, p2);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method14(hyper p0, IUnknown* p1) override {
    log.took(wire::i64, &p0);
    log.took(wire::unknown, &p1);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Method3(hyper, OutOfBandA*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method4(hyper, OutOfBandA*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method6(hyper, hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method7(hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method8(hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method9(hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method11(IOutOfBand_Method11_P0*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method12(hyper, OutOfBandB*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method15(hyper, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method16(hyper, IUnknown*) override { return E_NOTIMPL; }
};

class InBandStateServer final : public ComObject<IInBandState> {
 public:
  InBandStateServer() : ComObject(IID_IInBandState) {}
  CallLog log;

  HRESULT STDMETHODCALLTYPE Method4(InBandStateA* p0) override {
    log.took(wire::InBandStateA, p0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method6(InBandStateA* p0, InBandStateB* p1) override {
    log.gave(wire::InBandStateA, p0);
    log.gave(wire::InBandStateB, p1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method7(IInBandState_Method7_P0* p0) override {
    log.took(wire::session_request, p0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method8(Triple p0) override {
    log.took(wire::Triple, &p0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method9(ArrayOfInBandSessionRecord* p0) override {
    log.gave(wire::array_InBandSessionRecord, p0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method12(IInBandState_Method12_P0* p0) override {
    log.gave(wire::array_wstr_i32, p0);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Method3(InBandStateA*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method5(InBandStateB*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method10(LONG, GuidValue*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method11(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method13(IInBandState_Method12_P0*) override { return E_NOTIMPL; }
};

using Device = I5274CC44_553C_4A2A_95A6_989F64CFDDEF;
using DeviceArray = ArrayOfI5274CC44_553C_4A2A_95A6_989F64CFDDEF;

class SwitchingManagerServer final : public ComObject<ISwitchingManager> {
 public:
  SwitchingManagerServer() : ComObject(IID_ISwitchingManager) {}
  CallLog log;

  HRESULT STDMETHODCALLTYPE Method3(DeviceArray* p0, LONG p1) override {
    log.took(wire::array_D, p0);
    log.took(wire::i32, &p1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method7(Device* p0, ArrayOfReservationRecord* p1) override {
    log.took(wire::D, &p0);
    log.gave(wire::array_ReservationRecord, p1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method8(Device* p0, ArrayOfReservationRecord* p1) override {
    log.took(wire::D, &p0);
    log.took(wire::array_ReservationRecord, p1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method13(IUnknown* p0, ManagerPolicyRecord* p1) override {
    log.took(wire::unknown, &p0);
    log.gave(wire::ManagerPolicyRecord, p1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method14(IUnknown* p0, ManagerPolicyRecord* p1) override {
    log.took(wire::unknown, &p0);
    log.took(wire::ManagerPolicyRecord, p1);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Method4(DeviceArray*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method5(DeviceArray*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method6(Device*, ISwitchingManager_Method6_P1*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Method9(Device*, ArrayOfManagerItem*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method10(Device*, ArrayOfManagerItem*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method11(Device*, ArrayOfManagerItem*,
                                     ISwitchingManager_Method11_P2*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Method12(ISwitchingManager_Method12_P0*) override { return E_NOTIMPL; }
};

}  // namespace test
