// The help texts: every page ends with the exit statuses, and the help of all commands (from
// which the manual page is made) gives each command's usage, options and notes in full.
#pragma once

#include <string>

#include "cli.hpp"

namespace host {

class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_footer(const CLI::App* app) const override;
  std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override;
  std::string make_expanded(const CLI::App* command) const override;
};

}  // namespace host
