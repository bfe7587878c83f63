#include "results_table.hpp"

#include <algorithm>
#include <cstdio>
#include <string>

#include "render_benchmarks.hpp"

namespace bench {
namespace {

constexpr const char* missed = " ✗";

std::string narrow(const char16_t* text) {
  std::string result;
  for (; *text != u'\0'; ++text) result += static_cast<char>(*text);
  return result;
}

std::string number(int decimals, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The methods that stand beside a row's entry of one output kind, in table order.
std::vector<std::string_view> methods_for(Output output) {
  std::vector<std::string_view> methods;
  for (const ConventionalRendering& renderer : conventional_renderings())
    if (renderer.output == output &&
        std::find(methods.begin(), methods.end(), renderer.method) == methods.end())
      methods.push_back(renderer.method);
  return methods;
}

// The worst value of each ratio over the table, for the summary under it.
struct Extreme {
  double value;
  std::string where;
};

class Table {
 public:
  Table(Output output, const ResultsCollector& results)
      : output_(output), results_(results), methods_(methods_for(output)) {}

  void write(std::ostream& out, const std::vector<SampleEvent>& samples) {
    out << "| Row | Event | Sample | Units | ns/event | MB/s | Allocs | × memcpy |";
    for (std::string_view method : methods_) out << ' ' << method << " ÷ ours |";
    out << "\n|---:|---|---|---:|---:|---:|---:|---:|";
    for (std::size_t i = 0; i < methods_.size(); ++i) out << "---:|";
    out << '\n';
    for (const SampleEvent& sample : samples) write_line(out, sample);
    write_summary(out);
  }

 private:
  void write_line(std::ostream& out, const SampleEvent& sample) {
    out << "| " << sample.row << " | " << narrow(sample.entry->pszName) << " | " << sample.number
        << ". " << sample.title << " |";
    const std::optional<Measurement> entry = results_.find(benchmark_name(sample, output_, ours));
    const std::optional<Measurement> copy =
        results_.find(benchmark_name(sample, output_, memcpy_floor));
    if (!entry || !copy) {
      out << " failed | | | | |";
      for (std::size_t i = 0; i < methods_.size(); ++i) out << " |";
      out << '\n';
      return;
    }
    const std::string where =
        "row " + std::to_string(sample.row) + " sample " + std::to_string(sample.number);
    const double floor_ratio = entry->nanoseconds / copy->nanoseconds;
    const bool floor_target = output_ == Output::xml;
    note(floor_extreme_, floor_ratio, where, true);
    out << ' ' << entry->units << " | " << number(1, entry->nanoseconds) << " | "
        << number(0, entry->units * 2 * 1e3 / entry->nanoseconds) << " | " << entry->allocations
        << " | " << number(1, floor_ratio)
        << (floor_target && floor_ratio > floor_ratio_limit ? missed : "") << " |";
    for (std::size_t i = 0; i < methods_.size(); ++i) {
      const std::optional<Measurement> theirs =
          results_.find(benchmark_name(sample, output_, methods_[i]));
      if (!theirs) {
        out << " |";
        continue;
      }
      const double ratio = theirs->nanoseconds / entry->nanoseconds;
      note(method_extremes_[std::string(methods_[i])], ratio, where, false);
      out << ' ' << number(1, ratio) << (ratio < conventional_ratio_minimum ? missed : "") << " |";
    }
    out << '\n';
  }

  static void note(std::optional<Extreme>& extreme, double value, const std::string& where,
                   bool highest) {
    if (!extreme || (highest ? value > extreme->value : value < extreme->value))
      extreme = Extreme{value, where};
  }

  void write_summary(std::ostream& out) const {
    out << '\n';
    if (floor_extreme_)
      out << "- Highest × memcpy: " << number(1, floor_extreme_->value) << " ("
          << floor_extreme_->where << ")"
          << (output_ == Output::xml ? "; target at most " + number(0, floor_ratio_limit) : "")
          << ".\n";
    for (const auto& [method, extreme] : method_extremes_)
      if (extreme)
        out << "- Lowest " << method << " ÷ ours: " << number(1, extreme->value) << " ("
            << extreme->where << "); target at least " << number(0, conventional_ratio_minimum)
            << ".\n";
  }

  Output output_;
  const ResultsCollector& results_;
  std::vector<std::string_view> methods_;
  std::optional<Extreme> floor_extreme_;
  std::map<std::string, std::optional<Extreme>> method_extremes_;
};

}  // namespace

void write_results_table(std::ostream& out, const std::vector<SampleEvent>& samples,
                         const ResultsCollector& results) {
  out << "### XML entries\n\n";
  Table(Output::xml, results).write(out, samples);
  out << "\n### Text entries\n\n";
  Table(Output::text, results).write(out, samples);
  if (!results.failures().empty()) {
    out << "\n### Failed benchmarks\n\n";
    for (const auto& [name, message] : results.failures())
      out << "- " << name << ": " << message << '\n';
  }
}

}  // namespace bench
