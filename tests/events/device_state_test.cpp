#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "event_cases.hpp"
#include "platform/accounting.h"
#include "plugin/event_catalogue.hpp"
#include "plugin/eventui.h"
#include "support/payload_builder.hpp"

namespace test {
namespace {

constexpr int device_allocatable = 16;
constexpr int managed_entered = 19;
constexpr int managed_exited = 20;
constexpr int allocatable_entered = 21;
constexpr int allocatable_exited = 22;
constexpr int setup_failure_added = 26;
constexpr int takedown_failure_added = 27;
constexpr int setup_failure_removed = 28;
constexpr int takedown_failure_removed = 29;

std::vector<std::uint8_t> allocatable(std::u16string_view device_moniker,
                                      std::u16string_view device_name,
                                      std::u16string_view group_moniker,
                                      std::u16string_view group_name, std::uint8_t was,
                                      std::uint8_t is) {
  PayloadBuilder p;
  p.wstring(device_moniker).wstring(device_name).wstring(group_moniker).wstring(group_name);
  p.u8(was).u8(is);
  return p;
}

std::vector<std::uint8_t> named_device(std::u16string_view moniker) {
  return allocatable(moniker, u"Modem 7", u"", u"", 0, 1);
}

std::vector<std::uint8_t> exited(std::uint8_t disposition, std::u16string_view name) {
  PayloadBuilder p;
  p.u8(disposition).wstring(name);
  return p;
}

std::vector<std::uint8_t> entered(std::u16string_view name) {
  PayloadBuilder p;
  p.wstring(name);
  return p;
}

std::vector<std::uint8_t> failure_list(std::int32_t reason) {
  PayloadBuilder p;
  p.wstring(u"Modem 7").i32(reason);
  return p;
}

std::string changed_lines(std::string_view was, std::string_view is) {
  return "   <changed field=\"allocatable\">\n    <old-value>" + std::string(was) +
         "</old-value>\n    <new-value>" + std::string(is) + "</new-value>\n   </changed>\n";
}

const std::string named_device_lines =
    "   <device moniker=\"modem://hub/7\">\n    <name>Modem 7</name>\n   </device>\n";

using DeviceState = EventRendering;

TEST_F(DeviceState, AllocatableDocumentWritesMonikersBackAsDisplayNames) {
  check_all({
      xml_ok("device named, group null", device_allocatable,
             allocatable(u"modem://hub/7", u"Modem 7", u"", u"", 0, 1),
             named_device_lines + "   <group moniker=\"(none)\"/>\n" +
                 changed_lines("false", "true")),
      xml_ok("\"(none)\" monikers and empty names", device_allocatable,
             allocatable(u"(none)", u"", u"(none)trailing", u"", 1, 0),
             "   <device moniker=\"(none)\"/>\n   <group moniker=\"(none)\"/>\n" +
                 changed_lines("true", "false")),
      xml_ok("group named", device_allocatable,
             allocatable(u"", u"", u"group://east", u"East", 2, 2),
             "   <device moniker=\"(none)\"/>\n   <group moniker=\"group://east\">\n"
             "    <name>East</name>\n   </group>\n" + changed_lines("true", "true")),
      text_ok("made allocatable", device_allocatable, named_device(u"modem://hub/7"),
              "Device was made allocatable.", colour::changed),
      text_ok("made unallocatable", device_allocatable,
              allocatable(u"", u"", u"", u"", 1, 0), "Device was made unallocatable.",
              colour::changed),
      text_ok("any nonzero flag", device_allocatable, allocatable(u"", u"", u"", u"", 0, 2),
              "Device was made allocatable.", colour::changed),
  });
}

TEST_F(DeviceState, MonikerLimitsAndRejectedNamesFailBothRenderings) {
  const std::u16string longest(259, u'm');
  const std::u16string too_long(260, u'm');
  RenderCase rejected_device = failure("rejected device moniker", device_allocatable, Output::xml,
                                       named_device(u"modem\x01"), MK_E_SYNTAX, "");
  // The device moniker is parsed before the group's fails: it must be given back too.
  RenderCase rejected_group = rejected_device;
  rejected_group.label = "rejected group moniker";
  rejected_group.payload = allocatable(u"modem://hub/7", u"Modem 7", u"\x1Fgroup", u"", 0, 1);
  for (RenderCase c : {rejected_device, rejected_group}) {
    check(c);
    c.output = Output::text;
    check(c);
  }
  std::vector<std::uint8_t> cut_after_monikers = allocatable(u"a", u"", u"b", u"", 0, 1);
  cut_after_monikers.pop_back();
  check_all({
      xml_ok("259 units", device_allocatable, named_device(longest),
             "   <device moniker=\"" + std::string(259, 'm') + "\">\n    <name>Modem 7</name>\n"
             "   </device>\n   <group moniker=\"(none)\"/>\n" + changed_lines("false", "true")),
      text_ok("259 units", device_allocatable, named_device(longest),
              "Device was made allocatable.", colour::changed),
      overflow("260 units", device_allocatable, Output::xml, named_device(too_long), 4096, ""),
      overflow("260 units", device_allocatable, Output::text, named_device(too_long), 4096, ""),
      underflow("flag missing", device_allocatable, Output::xml, cut_after_monikers, ""),
      underflow("flag missing", device_allocatable, Output::text, cut_after_monikers, ""),
      overflow("buffer ends in the group", device_allocatable, Output::xml,
               named_device(u"modem://hub/7"),
               static_cast<std::uint32_t>(named_device_lines.size()) + 4,
               named_device_lines + "   "),
  });
}

TEST_F(DeviceState, DisplayNameThatCannotBeFetchedFailsOnlyTheDocument) {
  VedRuntimeFailTaskAllocAfter(0);
  const Rendered xml = render_xml(device_allocatable, named_device(u"modem://hub/7"));
  const Rendered text = render_text(device_allocatable, named_device(u"modem://hub/7"));
  VedRuntimeFailTaskAllocAfter(-1);
  EXPECT_EQ(xml.hr, E_OUTOFMEMORY);
  EXPECT_EQ(xml.text, "   <device moniker=\"");
  EXPECT_EQ(text.hr, S_OK);
  EXPECT_EQ(text.text, "Device was made allocatable.");
}

TEST_F(DeviceState, RecoveryModeSentencesNameTheKindOfDevice) {
  check_all({
      text_ok("managed entered", managed_entered, entered(u"Modem 7"),
              "The managed device 'Modem 7' entered recovery mode.", colour::red),
      text_ok("allocatable entered", allocatable_entered, entered(u"Modem 7"),
              "The allocatable device 'Modem 7' entered recovery mode.", colour::red),
      text_ok("managed exited", managed_exited, exited(3, u"Modem 7"),
              "The managed device 'Modem 7' exited recovery mode.", colour::green),
      text_ok("allocatable exited", allocatable_exited, exited(0, u"Modem 7"),
              "The allocatable device 'Modem 7' exited recovery mode.", colour::green),
      text_ok("empty name", managed_entered, entered(u""),
              "The managed device '' entered recovery mode.", colour::red),
      xml_ok("entered", allocatable_entered, entered(u"Modem 7"), "   <device>Modem 7</device>"),
      xml_ok("entered, empty name", managed_entered, entered(u""), "   <device></device>"),
      underflow("exited, name missing", managed_exited, Output::text, {1}, ""),
      underflow("exited, name missing", allocatable_exited, Output::xml, {1}, ""),
  });
}

TEST_F(DeviceState, ExitDocumentNamesTheDisposition) {
  const std::pair<std::uint8_t, std::string> dispositions[] = {
      {0, "Unknown"},        {1, "Successfull"},      {2, "Forced"},  {3, "Forced by User"},
      {4, "Forced by System"}, {5, "Unknown"}, {255, "Unknown"},
  };
  for (const auto& [value, name] : dispositions) {
    for (int row : {managed_exited, allocatable_exited}) {
      check(xml_ok("disposition " + std::to_string(value), row, exited(value, u"Modem 7"),
                   "   <device>Modem 7</device>\n   <disposition>" + name + "</disposition>\n"));
    }
  }
}

TEST_F(DeviceState, FailureListSentenceEndsWithTheReason) {
  const std::pair<std::int32_t, std::string> reasons[] = {
      {0, "redundant update."},     {1, "failed setup."},     {2, "successful setup."},
      {3, "failed takedown."},      {4, "successful takedown."}, {5, "recovery request."},
      {6, "unknown reason."},       {-1, "unknown reason."},
  };
  for (const auto& [reason, text] : reasons) {
    check(text_ok("reason " + std::to_string(reason), setup_failure_added, failure_list(reason),
                  "The ZARN device 'Modem 7' was added to the setup failures list due to " + text,
                  colour::white));
    check(xml_ok("reason " + std::to_string(reason), takedown_failure_removed,
                 failure_list(reason),
                 "   <device>Modem 7</device>\n   <reason>" + std::to_string(reason) +
                     "</reason>\n"));
  }
  check_all({
      text_ok("takedown added", takedown_failure_added, failure_list(3),
              "The ZARN device 'Modem 7' was added to the takedown failures list due to "
              "failed takedown.", colour::white),
      text_ok("setup removed", setup_failure_removed, failure_list(2),
              "The ZARN device 'Modem 7' was removed from the setup failures list due to "
              "successful setup.", colour::white),
      text_ok("takedown removed", takedown_failure_removed, failure_list(4),
              "The ZARN device 'Modem 7' was removed from the takedown failures list due to "
              "successful takedown.", colour::white),
      underflow("reason missing", setup_failure_removed, Output::xml, entered(u"Modem 7"), ""),
      underflow("reason missing", setup_failure_removed, Output::text, entered(u"Modem 7"), ""),
  });
}

}  // namespace
}  // namespace test
