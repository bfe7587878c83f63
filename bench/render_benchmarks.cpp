#include "render_benchmarks.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "allocation_counter.hpp"

namespace bench {
namespace {

// Time per event, output bytes and events per second, and the heap allocations of one call
// (counted outside the timed loop, after a first call has warmed everything up).
template <class Call>
void measure(benchmark::State& state, std::size_t output_units, Call&& call) {
  const std::uint64_t allocations = allocations_during(call);
  for (auto _ : state) {
    call();
    benchmark::ClobberMemory();
  }
  const auto iterations = static_cast<std::int64_t>(state.iterations());
  state.SetItemsProcessed(iterations);
  state.SetBytesProcessed(iterations * static_cast<std::int64_t>(output_units * sizeof(char16_t)));
  state.counters[allocations_counter] = static_cast<double>(allocations);
  state.counters[units_counter] = static_cast<double>(output_units);
}

// The entry's output for the sample; a failed entry skips the benchmark, reporting its HRESULT.
std::optional<std::u16string> entry_output(benchmark::State& state, const SampleEvent& sample,
                                           Output output) {
  Rendering reference = render_with_entry(sample, output);
  if (reference.succeeded) return std::move(reference.text);
  char message[64];
  std::snprintf(message, sizeof message, "entry failed with 0x%08X",
                static_cast<unsigned>(reference.hr));
  state.SkipWithError(message);
  return std::nullopt;
}

void measure_entry(benchmark::State& state, const SampleEvent& sample, Output output) {
  const std::optional<std::u16string> reference = entry_output(state, sample, output);
  if (!reference) return;
  std::vector<char16_t> buffer(viewer_buffer_units);
  std::uint32_t colour = 0;
  measure(state, reference->size(), [&] {
    benchmark::DoNotOptimize(
        call_entry(sample, output, buffer.data(), viewer_buffer_units, &colour));
  });
}

// The finished output, terminator included, copied into a buffer of exactly its size.
void measure_copy(benchmark::State& state, const SampleEvent& sample, Output output) {
  const std::optional<std::u16string> finished = entry_output(state, sample, output);
  if (!finished) return;
  std::vector<char16_t> buffer(finished->size() + 1);
  const std::size_t bytes = buffer.size() * sizeof(char16_t);
  benchmark::DoNotOptimize(buffer.data());
  measure(state, finished->size(), [&] {
    benchmark::DoNotOptimize(finished->data());
    std::memcpy(buffer.data(), finished->c_str(), bytes);
  });
}

void measure_conventional(benchmark::State& state, const SampleEvent& sample,
                          const ConventionalRendering& renderer) {
  const Rendering reference = render_conventionally(sample, renderer);
  std::vector<char16_t> buffer(viewer_buffer_units);
  std::uint32_t colour = 0;
  measure(state, reference.text.size(), [&] {
    benchmark::DoNotOptimize(
        renderer.render(sample.payload, buffer.data(), viewer_buffer_units, &colour));
  });
}

}  // namespace

std::string benchmark_name(const SampleEvent& sample, Output output, std::string_view method) {
  char prefix[48];
  std::snprintf(prefix, sizeof prefix, "%02zu/%s/%zu/", sample.row,
                output == Output::xml ? "xml" : "text", sample.number);
  return prefix + std::string(method);
}

void register_benchmarks(const std::vector<SampleEvent>& samples) {
  for (const SampleEvent& sample : samples) {
    for (Output output : {Output::xml, Output::text}) {
      benchmark::RegisterBenchmark(benchmark_name(sample, output, ours).c_str(), measure_entry,
                                   sample, output);
      benchmark::RegisterBenchmark(benchmark_name(sample, output, memcpy_floor).c_str(),
                                   measure_copy, sample, output);
      for (const ConventionalRendering& renderer : conventional_renderings())
        if (renderer.row == sample.row && renderer.output == output)
          benchmark::RegisterBenchmark(benchmark_name(sample, output, renderer.method).c_str(),
                                       measure_conventional, sample, renderer);
    }
  }
}

}  // namespace bench
