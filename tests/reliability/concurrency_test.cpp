// The library under concurrent use: entries on several threads at once with their own buffers,
// and enumerators created, cloned and released on several threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "com/module.hpp"
#include "plugin/enumerator.hpp"
#include "sample_rendering.hpp"

namespace {

using test::Form;

constexpr int thread_count = 4;
constexpr std::uint32_t roomy = 1 << 14;

struct Result {
  HRESULT hr;
  std::u16string text;
  std::uint32_t colour;
  bool operator==(const Result&) const = default;
};

std::vector<Result> render_all() {
  std::vector<Result> results;
  for (const host::Sample& s : test::samples()) {
    for (Form form : {Form::xml, Form::text}) {
      test::Observed o = test::observe(s.row, form, s.payload, s.payload.size(), roomy);
      results.push_back({o.hr, o.text, o.colour});
      // A tight buffer as well, so the failure paths run concurrently too.
      test::Observed tight = test::observe(s.row, form, s.payload, s.payload.size(), 7);
      results.push_back({tight.hr, tight.text, tight.colour});
    }
  }
  return results;
}

TEST(Concurrency, EntriesRenderTheSameOnEveryThread) {
  const std::vector<Result> expected = render_all();
  std::vector<std::vector<Result>> got(thread_count);
  std::vector<std::thread> threads;
  for (int t = 0; t < thread_count; ++t)
    threads.emplace_back([&got, t] {
      for (int round = 0; round < 3; ++round) got[static_cast<std::size_t>(t)] = render_all();
    });
  for (std::thread& t : threads) t.join();
  for (const std::vector<Result>& results : got) EXPECT_TRUE(results == expected);
}

TEST(Concurrency, EnumeratorsOnSeveralThreadsGiveBackEveryLock) {
  const std::int32_t base = com::module::lock_count();
  std::vector<std::thread> threads;
  for (int t = 0; t < thread_count; ++t)
    threads.emplace_back([] {
      for (int i = 0; i < 500; ++i) {
        ui::event::CEnumEVENTUI* e = ui::event::CEnumEVENTUI::create();
        ASSERT_NE(e, nullptr);
        IEnumEVENTUI* clone = nullptr;
        ASSERT_EQ(e->Skip(static_cast<ULONG>(i % 31)), S_OK);
        ASSERT_EQ(e->Clone(&clone), S_OK);
        EVENTUI records[30];
        ULONG fetched = 0;
        EXPECT_EQ(clone->Next(30, records, &fetched), S_OK);
        EXPECT_EQ(fetched, 30u);
        e->Release();
        clone->Release();
      }
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(com::module::lock_count(), base);
}

}  // namespace
