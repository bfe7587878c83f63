// Live-object counters shared by the runtime stand-in's objects.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/com.h"

namespace platform {

struct LiveCounters {
  std::atomic<std::int64_t> task_allocations{0};
  std::atomic<std::int64_t> bstrs{0};
  std::atomic<std::int64_t> error_infos{0};
  std::atomic<std::int64_t> bind_contexts{0};
  std::atomic<std::int64_t> monikers{0};
};

LiveCounters& live() noexcept;

// Counts one live object of a kind for as long as it exists.
template <std::atomic<std::int64_t> LiveCounters::*Counter>
struct Counted {
  Counted() noexcept { ++(live().*Counter); }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;
  ~Counted() { --(live().*Counter); }
};

// A COM object's reference count, thread-safe as the runtime's own objects are.
class RefCount {
 public:
  ULONG add() noexcept { return ++count_; }
  ULONG release() noexcept { return --count_; }

 private:
  std::atomic<ULONG> count_{1};
};

// IUnknown for a stand-in object that answers one interface besides IUnknown, is counted alive
// while it exists and deletes itself on its last release.
template <class Derived, class Interface, const IID& interface_id,
          std::atomic<std::int64_t> LiveCounters::*Counter>
class SimpleObject : public Interface {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == interface_id) {
      *ppv = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return references_.add(); }
  ULONG Release() override {
    ULONG left = references_.release();
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 protected:
  SimpleObject() = default;
  ~SimpleObject() = default;

 private:
  RefCount references_;
  Counted<Counter> counted_;
};

}  // namespace platform
