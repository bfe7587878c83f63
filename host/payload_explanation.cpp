#include "payload_explanation.hpp"

#include <cstdio>

#include "event_renderer.hpp"
#include "event_table.hpp"
#include "fragment_marks.hpp"
#include "hresult_text.hpp"
#include "linked_renderers.hpp"
#include "read_recorder.hpp"
#include "platform/utf8.hpp"

namespace host {

namespace {

bool is_text(io::Primitive primitive) noexcept {
  return primitive == io::Primitive::text_bytes || primitive == io::Primitive::wide_text_units ||
         primitive == io::Primitive::moniker || primitive == io::Primitive::task_text_units;
}

bool is_signed(io::Primitive primitive) noexcept {
  return primitive == io::Primitive::i16 || primitive == io::Primitive::i32 || primitive == io::Primitive::i64 ||
         primitive == io::Primitive::moniker_length || primitive == io::Primitive::task_text_length;
}

// Whether a read holds a value that the rendering shows.
bool holds_value(const RecordedRead& read) noexcept {
  return read.role == io::LayoutRole::none && read.primitive != io::Primitive::skipped;
}

// The text a text read holds, as the sinks show it before escaping: narrow bytes widened one for
// one, task text up to its first NUL; blanks around it trimmed, as the fragment's texts are.
std::u16string decoded_text(const RecordedRead& read, const std::vector<std::uint8_t>& payload) {
  std::u16string text;
  const std::uint8_t* bytes = payload.data() + read.offset;
  if (read.primitive == io::Primitive::text_bytes) {
    for (std::size_t i = 0; i < read.length; ++i) text += static_cast<char16_t>(bytes[i]);
  } else {
    for (std::size_t i = 0; i + 1 < read.length; i += 2) {
      const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
      if (unit == u'\0' && read.primitive == io::Primitive::task_text_units) break;
      text += unit;
    }
  }
  const std::size_t first = text.find_first_not_of(u" \t\r\n");
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(u" \t\r\n") - first + 1);
}

// A text of the fragment, with the path of the elements around it.
struct WrittenText {
  const FragmentMark* mark;
  std::string path;
  bool claimed = false;
};

// Gives each value read the text it was rendered as. A renderer writes a value after reading it,
// at once or after reading a few more, and in the order it read them; so the texts written after
// a read and before the next are matched with the reads still waiting for theirs. Text reads
// claim the text that equals theirs. Waiting numbers take the character data in order when there
// is a text for each (a number may be shown twice, as a code and its name), or the attribute
// values when those are all there is, one for each (a status). Fewer texts than numbers are made
// of several reads each: the waiting numbers are given none rather than a wrong one.
class ValueMatcher {
 public:
  ValueMatcher(const std::vector<RecordedRead>& reads, const std::vector<std::uint8_t>& payload)
      : reads_(reads), payload_(payload), claims_(reads.size(), nullptr) {}

  // The texts written between read `after` and the next read.
  void written(std::size_t after, std::vector<WrittenText>& texts) {
    if (holds_value(reads_[after])) pending_.push_back(after);
    for (std::size_t read : pending_)
      if (is_text(reads_[read].primitive)) claim_equal(read, texts);
    std::erase_if(pending_, [&](std::size_t read) { return claims_[read] != nullptr; });

    std::vector<std::size_t> numbers;
    for (std::size_t read : pending_)
      if (!is_text(reads_[read].primitive)) numbers.push_back(read);
    std::vector<WrittenText*> data, attributes;
    for (WrittenText& text : texts)
      if (!text.claimed) (text.mark->kind == FragmentMark::Kind::text ? data : attributes).push_back(&text);
    if (!numbers.empty() && numbers.size() <= data.size()) {
      for (std::size_t i = 0; i < numbers.size(); ++i) take(numbers[i], *data[i]);
    } else if (data.empty() && !numbers.empty() && numbers.size() == attributes.size()) {
      for (std::size_t i = 0; i < numbers.size(); ++i) take(numbers[i], *attributes[i]);
    } else if (!data.empty()) {
      std::erase_if(pending_, [&](std::size_t read) { return !is_text(reads_[read].primitive); });
    }
    std::erase_if(pending_, [&](std::size_t read) { return claims_[read] != nullptr; });
  }

  const WrittenText* claim(std::size_t read) const noexcept { return claims_[read]; }

 private:
  void claim_equal(std::size_t read, std::vector<WrittenText>& texts) {
    const std::u16string text = decoded_text(reads_[read], payload_);
    for (WrittenText& written : texts)
      if (!written.claimed && written.mark->text == text) {
        take(read, written);
        return;
      }
  }
  void take(std::size_t read, WrittenText& written) {
    written.claimed = true;
    claims_[read] = &written;
  }

  const std::vector<RecordedRead>& reads_;
  const std::vector<std::uint8_t>& payload_;
  std::vector<const WrittenText*> claims_;
  std::vector<std::size_t> pending_;
};

void explain_reads(Explanation& explanation, const std::vector<RecordedRead>& reads,
                   std::u16string_view fragment) {
  const std::vector<FragmentMark> marks = scan_fragment(fragment);
  FragmentWalk walk(marks);
  ValueMatcher matcher(reads, explanation.payload);
  // Each window holds the texts written after one read; kept whole so that claims stay valid.
  std::vector<std::vector<WrittenText>> windows(reads.size());
  explanation.spans.reserve(reads.size());
  for (std::size_t i = 0; i <= reads.size(); ++i) {
    const std::size_t position = i < reads.size() ? reads[i].output_position : fragment.size() + 1;
    walk.advance(position, [&](const FragmentMark& mark) {
      const bool text = mark.kind == FragmentMark::Kind::text || mark.kind == FragmentMark::Kind::attribute;
      if (i > 0 && text && !mark.text.empty()) windows[i - 1].push_back({&mark, walk.path()});
    });
    if (i > 0) matcher.written(i - 1, windows[i - 1]);
    if (i == reads.size()) break;
    const RecordedRead& read = reads[i];
    explanation.spans.push_back({read.offset, read.length, read.primitive, read.role, walk.path(), std::nullopt});
  }
  for (std::size_t i = 0; i < reads.size(); ++i) {
    ExplainedSpan& span = explanation.spans[i];
    if (const WrittenText* written = matcher.claim(i)) {
      span.path = written->path;
      span.value = platform::to_utf8(written->mark->text);
    } else if (is_text(span.primitive)) {
      span.value = platform::to_utf8(decoded_text(reads[i], explanation.payload));
    }
  }
  // A text's length belongs where its text went.
  for (std::size_t i = reads.size(); i-- > 1;) {
    if (explanation.spans[i - 1].role == io::LayoutRole::text_length && is_text(explanation.spans[i].primitive))
      explanation.spans[i - 1].path = explanation.spans[i].path;
  }
  for (ExplainedSpan& span : explanation.spans)
    if (span.path.empty()) span.path = "/";
}

}  // namespace

Explanation explain_payload(const LinkedRenderers& renderers, const EventRow& row,
                            std::vector<std::uint8_t> payload) {
  Explanation explanation;
  explanation.payload = std::move(payload);
  ReadRecorder recorder;
  EventRenderer renderer(renderers, BufferPolicy::growing());
  const Rendering rendering = renderer.xml(*row.record, explanation.payload);

  const std::vector<RecordedRead>& reads = recorder.reads();
  explain_reads(explanation, reads, rendering.output);
  explanation.read = reads.empty() ? 0 : reads.back().offset + reads.back().length;
  if (!rendering.succeeded()) {
    ExplainedFailure failure{explanation.read, std::nullopt, std::nullopt,
                             rendering.error_description ? platform::to_utf8(*rendering.error_description)
                                                         : describe_hresult(rendering.hr)};
    if (const std::optional<RecordedUnderflow>& underflow = recorder.underflow()) {
      failure.offset = underflow->offset;
      failure.needed = underflow->needed;
      failure.remaining = underflow->remaining;
    }
    explanation.failure = std::move(failure);
  }
  return explanation;
}

std::string_view primitive_name(io::Primitive primitive) noexcept {
  switch (primitive) {
    case io::Primitive::byte: return "byte";
    case io::Primitive::u16: return "16-bit integer";
    case io::Primitive::i16: return "signed 16-bit integer";
    case io::Primitive::u32: return "32-bit integer";
    case io::Primitive::i32: return "signed 32-bit integer";
    case io::Primitive::u64: return "64-bit integer";
    case io::Primitive::i64: return "signed 64-bit integer";
    case io::Primitive::skipped: return "skipped";
    case io::Primitive::count: return "count";
    case io::Primitive::text_length: return "text length";
    case io::Primitive::text_bytes: return "text bytes";
    case io::Primitive::wide_text_length: return "wide text length";
    case io::Primitive::wide_text_units: return "wide text units";
    case io::Primitive::moniker_length: return "moniker length";
    case io::Primitive::moniker: return "moniker";
    case io::Primitive::task_text_length: return "task text length";
    case io::Primitive::task_text_units: return "task text units";
  }
  return "?";
}

std::string_view role_name(io::LayoutRole role) noexcept {
  switch (role) {
    case io::LayoutRole::none: return "";
    case io::LayoutRole::count: return "count";
    case io::LayoutRole::text_length: return "text length";
    case io::LayoutRole::change_mask: return "change mask";
    case io::LayoutRole::flags: return "flags";
    case io::LayoutRole::tag: return "tag";
  }
  return "?";
}

std::string steering_value(const ExplainedSpan& span, const std::vector<std::uint8_t>& payload) {
  std::uint64_t value = 0;
  for (std::size_t i = span.length; i-- > 0;) value = value << 8 | payload[span.offset + i];
  if (span.role == io::LayoutRole::change_mask || span.role == io::LayoutRole::flags) {
    char text[2 + 16 + 1];
    std::snprintf(text, sizeof text, "0x%0*llX", static_cast<int>(2 * span.length),
                  static_cast<unsigned long long>(value));
    return text;
  }
  if (is_signed(span.primitive) && span.length < 8 && (value >> (8 * span.length - 1) & 1) != 0)
    return std::to_string(static_cast<long long>(value) - (1LL << (8 * span.length)));
  return std::to_string(value);
}

}  // namespace host
