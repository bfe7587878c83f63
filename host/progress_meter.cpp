#include "progress_meter.hpp"

#include <algorithm>
#include <string>

namespace host {

namespace {

constexpr auto redraw_interval = std::chrono::milliseconds(100);
constexpr std::size_t bar_width = 30;

}  // namespace

ProgressMeter::ProgressMeter(std::FILE* terminal, bool enabled,
                             std::optional<std::uint64_t> total_bytes) noexcept
    : terminal_(terminal), enabled_(enabled), total_bytes_(total_bytes) {}

void ProgressMeter::update(std::uint64_t events, std::uint64_t bytes_read) {
  if (!enabled_) return;
  Clock::time_point now = Clock::now();
  if (drawn_ && now - last_draw_ < redraw_interval) return;
  last_draw_ = now;

  std::string line = "\r\x1b[K";
  if (total_bytes_ && *total_bytes_ > 0) {
    double done = std::min(1.0, static_cast<double>(bytes_read) / static_cast<double>(*total_bytes_));
    auto filled = static_cast<std::size_t>(done * bar_width);
    line += "[" + std::string(filled, '#') + std::string(bar_width - filled, '-') + "] " +
            std::to_string(static_cast<int>(done * 100)) + "%  ";
  }
  double seconds = std::chrono::duration<double>(now - start_).count();
  line += std::to_string(events) + " events";
  if (seconds > 0) line += "  " + std::to_string(static_cast<std::uint64_t>(static_cast<double>(events) / seconds)) + "/s";
  std::fwrite(line.data(), 1, line.size(), terminal_);
  std::fflush(terminal_);
  drawn_ = true;
}

void ProgressMeter::clear() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", terminal_);
  std::fflush(terminal_);
  drawn_ = false;
}

}  // namespace host
