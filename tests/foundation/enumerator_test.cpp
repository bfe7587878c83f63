#include "plugin/enumerator.hpp"

#include <gtest/gtest.h>

#include <array>

#include "com/module.hpp"
#include "plugin/event_catalogue.hpp"

namespace {

using ui::event::CEnumEVENTUI;

// Owns the enumerator a test works with and checks it gives back its module lock.
struct Enumerator {
  Enumerator() : base(com::module::lock_count()), e(CEnumEVENTUI::create()) {}
  ~Enumerator() {
    EXPECT_EQ(e->Release(), 0u);
    EXPECT_EQ(com::module::lock_count(), base);
  }
  std::int32_t base;
  CEnumEVENTUI* e;
};

// Walking in uneven batches, skipping, resetting and cloning are also what the viewer written in C
// does (tests/viewer); these are the edges it does not reach.
TEST(Enumerator, EdgesOfNextSkipAndClone) {
  Enumerator en;
  std::array<EVENTUI, 40> records{};
  ULONG fetched = 0;
  EXPECT_EQ(en.e->Next(40, records.data(), &fetched), S_FALSE);
  ASSERT_EQ(fetched, 30u);
  EXPECT_EQ(records[29].pReserved, nullptr);
  EXPECT_EQ(en.e->Next(0, nullptr, &fetched), S_OK);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(en.e->Reset(), S_OK);
  fetched = 7;
  EXPECT_EQ(en.e->Next(2, nullptr, &fetched), E_POINTER);  // refused without moving
  EXPECT_EQ(en.e->Skip(10), S_OK);
  IEnumEVENTUI* clone = nullptr;
  ASSERT_EQ(en.e->Clone(&clone), S_OK);
  ASSERT_EQ(en.e->Next(1, records.data(), nullptr), S_OK);  // cloning did not move it
  EXPECT_EQ(records[0].pszName, ui::event::EventCatalogue[10].pszName);
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(en.e->Skip(19), S_OK);
  EXPECT_EQ(en.e->Skip(0), S_OK);
  EXPECT_EQ(en.e->Skip(1), S_FALSE);
  EXPECT_EQ(en.e->Reset(), S_OK);
  EXPECT_EQ(en.e->Skip(31), S_FALSE);
  EXPECT_EQ(en.e->Next(1, records.data(), &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(en.e->Clone(nullptr), E_POINTER);
}

TEST(Enumerator, InterfacesAndReferenceCounts) {
  Enumerator en;
  void* p = nullptr;
  EXPECT_EQ(en.e->QueryInterface(IID_IEnumEVENTUI, &p), S_OK);
  EXPECT_EQ(p, static_cast<IEnumEVENTUI*>(en.e));
  EXPECT_EQ(en.e->QueryInterface(IID_IUnknown, &p), S_OK);
  EXPECT_EQ(en.e->Release(), 2u);
  EXPECT_EQ(en.e->Release(), 1u);
  EXPECT_EQ(en.e->QueryInterface(IID_IErrorInfo, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(en.e->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

}  // namespace
