// veduvedad list: the catalogue's rows with their event types and display names.
#include "cli.hpp"

#include <cstdio>
#include <string>

#include "command_context.hpp"
#include "commands.hpp"
#include "json_writer.hpp"
#include "standard_output.hpp"

namespace host {

namespace {

std::string table(const EventTable& events) {
  std::string out = "Row  Event type                              Name\n";
  for (const EventRow& row : events.rows()) out += describe_row(row) + "\n";
  return out;
}

ByteBuffer json(const EventTable& events) {
  ByteBuffer out;
  out.append("[");
  for (const EventRow& row : events.rows()) {
    out.append(row.row == 0 ? "\n  " : ",\n  ");
    JsonObjectWriter(out)
        .number("row", static_cast<std::int64_t>(row.row))
        .text("type", row.type)
        .text("name", std::u16string_view(row.record->pszName != nullptr ? row.record->pszName : u""))
        .close();
  }
  out.append("\n]\n");
  return out;
}

}  // namespace

void add_list_command(CLI::App& app, CommandContext& context) {
  CLI::App* command = app.add_subcommand("list", "List the plug-in's event rows: row, event type and name");
  auto as_json = std::make_shared<bool>(false);
  command->add_flag("--json", *as_json, "Write a JSON array of {row, type, name} objects");
  command->callback([&context, as_json] {
    const EventTable& events = context.events();
    if (*as_json) {
      write_all(stdout, json(events).view());
    } else {
      write_all(stdout, table(events));
    }
  });
}

}  // namespace host
