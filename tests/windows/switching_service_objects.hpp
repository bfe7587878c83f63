// Server objects of the switching interfaces for the marshalling tests. Each records what its
// methods receive (deep copies: the runtime frees in-parameters when the call returns) and
// answers with fixed values that the tests know.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "switching_interfaces.hpp"

namespace test {

// The identity of an interface pointer across apartments: objects passed as IUnknown are
// Markers, whose IGlobalReservationControl::Method3 answers their number.
class Marker;
IUnknown* new_marker(LONG id);
// The marker's number through the pointer, -1 when it is not a marker, 0 for null.
LONG marker_id(IUnknown* object);

// Reference counting and QueryInterface for an object with one interface besides IUnknown.
template <class Interface>
class ComObject : public Interface {
 public:
  explicit ComObject(const IID& iid) : iid_(iid) {}
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == iid_) {
      *ppv = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~ComObject() = default;

 private:
  const IID& iid_;
  std::atomic<ULONG> references_{1};
};

// What a call delivered, comparable with what was sent.
struct Received {
  // Where the server ran: its thread and the kind of its apartment.
  DWORD thread = 0;
  APTTYPE apartment = APTTYPE_CURRENT;
  void note_call();

  std::vector<std::int64_t> numbers;  // every scalar, in parameter and field order
  std::vector<LONG> markers;          // the marker numbers of the interface pointers
  std::vector<std::wstring> texts;
  std::vector<GUID> guids;
};

class OutOfBandServer final : public ComObject<IOutOfBand> {
 public:
  OutOfBandServer() : ComObject(IID_IOutOfBand) {}
  Received received;

  HRESULT STDMETHODCALLTYPE Method3(hyper p0, OutOfBandA* p1) override;
  HRESULT STDMETHODCALLTYPE Method4(hyper p0, OutOfBandA* p1) override;
  HRESULT STDMETHODCALLTYPE Method5(hyper* p0, OutOfBandA* p1) override;
  HRESULT STDMETHODCALLTYPE Method6(hyper, hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method7(hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method8(hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method9(hyper) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method10(ArrayOfOutOfBandC* p0) override;
  HRESULT STDMETHODCALLTYPE Method11(IOutOfBand_Method11_P0*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method12(hyper p0, OutOfBandB* p1) override;
  HRESULT STDMETHODCALLTYPE Method13(hyper, OutOfBandA*, OutOfBandB*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Method14(hyper p0, IUnknown* p1) override;
  HRESULT STDMETHODCALLTYPE Method15(hyper, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method16(hyper, IUnknown*) override { return E_NOTIMPL; }
};

class InBandStateServer final : public ComObject<IInBandState> {
 public:
  InBandStateServer() : ComObject(IID_IInBandState) {}
  Received received;

  HRESULT STDMETHODCALLTYPE Method3(InBandStateA* p0) override;
  HRESULT STDMETHODCALLTYPE Method4(InBandStateA* p0) override;
  HRESULT STDMETHODCALLTYPE Method5(InBandStateB*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method6(InBandStateA* p0, InBandStateB* p1) override;
  HRESULT STDMETHODCALLTYPE Method7(IInBandState_Method7_P0* p0) override;
  HRESULT STDMETHODCALLTYPE Method8(Triple p0) override;
  HRESULT STDMETHODCALLTYPE Method9(ArrayOfInBandSessionRecord* p0) override;
  HRESULT STDMETHODCALLTYPE Method10(LONG, GuidValue*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method11(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method12(IInBandState_Method12_P0* p0) override;
  HRESULT STDMETHODCALLTYPE Method13(IInBandState_Method12_P0*) override { return E_NOTIMPL; }
};

using DeviceArray = ArrayOfI5274CC44_553C_4A2A_95A6_989F64CFDDEF;
using Device = I5274CC44_553C_4A2A_95A6_989F64CFDDEF;

class SwitchingManagerServer final : public ComObject<ISwitchingManager> {
 public:
  SwitchingManagerServer() : ComObject(IID_ISwitchingManager) {}
  Received received;

  HRESULT STDMETHODCALLTYPE Method3(DeviceArray* p0, LONG p1) override;
  HRESULT STDMETHODCALLTYPE Method4(DeviceArray*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method5(DeviceArray*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method6(Device*, ISwitchingManager_Method6_P1*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Method7(Device* p0, ArrayOfReservationRecord* p1) override;
  HRESULT STDMETHODCALLTYPE Method8(Device* p0, ArrayOfReservationRecord* p1) override;
  HRESULT STDMETHODCALLTYPE Method9(Device*, ArrayOfManagerItem*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method10(Device*, ArrayOfManagerItem*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method11(Device*, ArrayOfManagerItem*,
                                     ISwitchingManager_Method11_P2*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Method12(ISwitchingManager_Method12_P0*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Method13(IUnknown* p0, ManagerPolicyRecord* p1) override;
  HRESULT STDMETHODCALLTYPE Method14(IUnknown* p0, ManagerPolicyRecord* p1) override;
};

// The records the servers answer with, and that the tests send. Arrays and texts are
// task-allocated and markers new, as out-parameters are handed over; release() frees them.
OutOfBandA out_of_band_a(LONG seed);
OutOfBandB out_of_band_b(LONG seed);
OutOfBandC out_of_band_c(LONG seed);
InBandStateA in_band_state_a(LONG seed);
InBandStateB in_band_state_b(LONG seed);
ArrayOfInBandSessionRecord in_band_sessions(LONG seed);
IInBandState_Method12_P0 named_values(LONG seed);
ArrayOfReservationRecord reservations(LONG seed);
ManagerPolicyRecord manager_policy(LONG seed);
GUID guid(LONG seed);

void release(ArrayOfOutOfBandMember& array);
void release(OutOfBandB& record);
void release(OutOfBandC& record);
void release(ArrayOfInBandSessionRecord& array);
void release(IInBandState_Method12_P0& array);
void release(ArrayOfReservationRecord& array);
void release(ManagerPolicyRecord& record);

// Every scalar, text and marker of a record, in field order, as the servers record them.
void describe(const OutOfBandA& record, Received& into);
void describe(const OutOfBandB& record, Received& into);
void describe(const OutOfBandC& record, Received& into);
void describe(const InBandStateA& record, Received& into);
void describe(const InBandStateB& record, Received& into);
void describe(const InBandSessionRecord& record, Received& into);
void describe(const ReservationRecord& record, Received& into);
void describe(const ManagerPolicyRecord& record, Received& into);

template <class T>
T* task_array(std::size_t count) {
  return static_cast<T*>(CoTaskMemAlloc(count * sizeof(T)));
}
LPWSTR task_string(const wchar_t* text);

}  // namespace test
