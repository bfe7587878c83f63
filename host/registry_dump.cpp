#include "host/registry_dump.hpp"

#include <string>

#include "platform/utf8.hpp"

namespace host {
namespace {

// A quoted string of the format: backslashes and quotes are escaped.
void write_quoted(std::ostream& out, const char16_t* text) {
  out << '"';
  for (char c : platform::to_utf8(text)) {
    if (c == '\\' || c == '"') out << '\\';
    out << c;
  }
  out << '"';
}

struct Dump {
  std::ostream& out;
  bool first_key = true;

  static void key(void* context, const char16_t* path) {
    Dump& dump = *static_cast<Dump*>(context);
    dump.out << (dump.first_key ? "" : "\n") << '[' << platform::to_utf8(path) << "]\n";
    dump.first_key = false;
  }
  static void value(void* context, const char16_t* name, const char16_t* data) {
    Dump& dump = *static_cast<Dump*>(context);
    if (*name == u'\0')
      dump.out << '@';
    else
      write_quoted(dump.out, name);
    dump.out << '=';
    write_quoted(dump.out, data);
    dump.out << '\n';
  }
};

}  // namespace

void write_registry(std::ostream& out, RegistryWalk walk) {
  out << "Windows Registry Editor Version 5.00\n\n";
  Dump dump{out};
  const VedRegistryVisitor visitor{&dump, &Dump::key, &Dump::value};
  walk(&visitor);
  if (!dump.first_key) out << '\n';
}

}  // namespace host
