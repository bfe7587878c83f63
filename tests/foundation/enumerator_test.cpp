#include "plugin/enumerator.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "com/module.hpp"
#include "plugin/event_catalogue.hpp"
#include "support/render_harness.hpp"

namespace {

using ui::event::CEnumEVENTUI;

// Owns the enumerator a test works with and checks it gives back its module lock.
struct Enumerator {
  Enumerator() : base(com::module::lock_count()), e(CEnumEVENTUI::create()) {}
  ~Enumerator() {
    EXPECT_EQ(e->Release(), 0u);
    EXPECT_EQ(com::module::lock_count(), base);
  }
  // The row index of the next record, or -1 at the end.
  int next_row() {
    EVENTUI record{};
    ULONG fetched = 99;
    if (e->Next(1, &record, &fetched) != S_OK) return -1;
    for (std::size_t i = 0; i < ui::event::event_catalogue_size; ++i)
      if (ui::event::EventCatalogue[i].pfnXml == record.pfnXml &&
          ui::event::EventCatalogue[i].pfnText == record.pfnText &&
          ui::event::EventCatalogue[i].pszName == record.pszName)
        return static_cast<int>(i);
    return -2;
  }
  std::int32_t base;
  CEnumEVENTUI* e;
};

TEST(Enumerator, NextDeliversTheCatalogueInOrder) {
  Enumerator en;
  std::array<EVENTUI, 40> records{};
  ULONG fetched = 0;
  EXPECT_EQ(en.e->Next(40, records.data(), &fetched), S_FALSE);
  ASSERT_EQ(fetched, 30u);
  for (std::size_t i = 0; i < 30; ++i) {
    EXPECT_EQ(records[i].guidType, *ui::event::EventCatalogue[i].pguidType);
    EXPECT_EQ(records[i].pReserved, nullptr);
    EXPECT_EQ(records[i].pszName, ui::event::EventCatalogue[i].pszName);
  }
  EXPECT_EQ(en.e->Next(1, records.data(), &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(en.e->Next(0, nullptr, &fetched), S_OK);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(en.e->Reset(), S_OK);
  EXPECT_EQ(en.e->Next(5, records.data(), nullptr), S_OK);
  EXPECT_EQ(en.e->Next(25, records.data(), &fetched), S_OK);
  EXPECT_EQ(fetched, 25u);
}

TEST(Enumerator, NullArrayIsRefusedWithoutMoving) {
  Enumerator en;
  ULONG fetched = 7;
  EXPECT_EQ(en.e->Next(2, nullptr, &fetched), E_POINTER);
  EXPECT_EQ(en.next_row(), 0);
}

TEST(Enumerator, SkipResetAndClonePositions) {
  Enumerator en;
  EXPECT_EQ(en.e->Skip(0), S_OK);
  EXPECT_EQ(en.e->Skip(10), S_OK);
  IEnumEVENTUI* clone = nullptr;
  ASSERT_EQ(en.e->Clone(&clone), S_OK);
  EXPECT_EQ(en.next_row(), 10);
  EVENTUI record{};
  ASSERT_EQ(clone->Next(1, &record, nullptr), S_OK);
  EXPECT_EQ(record.pszName, ui::event::EventCatalogue[0].pszName);
  EXPECT_EQ(clone->Release(), 0u);

  EXPECT_EQ(en.e->Skip(18), S_OK);  // now at row 29
  EXPECT_EQ(std::u16string(ui::event::EventCatalogue[29].pszName),
            u"Device Removed From ZARN Takedown Failure List");
  EXPECT_EQ(en.next_row(), 29);
  EXPECT_EQ(en.e->Skip(0), S_OK);
  EXPECT_EQ(en.e->Skip(1), S_FALSE);
  EXPECT_EQ(en.e->Reset(), S_OK);
  EXPECT_EQ(en.e->Skip(31), S_FALSE);
  EXPECT_EQ(en.next_row(), -1);
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

TEST(Catalogue, SharedEntriesAndPeculiarities) {
  const auto& c = ui::event::EventCatalogue;
  // Rows 6 and 11: one event type and name, different entries.
  EXPECT_EQ(*c[6].pguidType, *c[11].pguidType);
  EXPECT_EQ(std::u16string(c[6].pszName), std::u16string(c[11].pszName));
  EXPECT_NE(c[6].pfnXml, c[11].pfnXml);
  EXPECT_NE(c[6].pfnText, c[11].pfnText);
  EXPECT_EQ(std::u16string(c[13].pszName), std::u16string(c[15].pszName));
  EXPECT_FALSE(*c[13].pguidType == *c[15].pguidType);
  EXPECT_EQ(std::u16string(c[27].pszName), u"Device Added To ZARN TakedownFailure List");

  for (int row = 1; row <= 8; ++row) EXPECT_EQ(c[row].pfnText, c[0].pfnText);
  EXPECT_NE(c[15].pfnText, c[0].pfnText);
  EXPECT_EQ(c[13].pfnText, c[12].pfnText);
  EXPECT_EQ(c[14].pfnText, c[12].pfnText);
  EXPECT_EQ(c[21].pfnXml, c[19].pfnXml);
  EXPECT_EQ(c[22].pfnXml, c[20].pfnXml);
  EXPECT_EQ(c[24].pfnXml, c[23].pfnXml);
  for (int row = 27; row <= 29; ++row) EXPECT_EQ(c[row].pfnXml, c[26].pfnXml);
  EXPECT_NE(c[19].pfnText, c[21].pfnText);
}

}  // namespace
