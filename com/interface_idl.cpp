#include "com/interface_idl.hpp"

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "com/guid_text.hpp"
#include "com/interface_catalogue.hpp"

namespace com::marshal {
namespace {

using com::marshal::Direction;
using com::marshal::Parameter;
using com::marshal::Wire;
using com::marshal::WireType;

struct ScalarName {
  std::string_view idl;       // as a type
  std::string_view fragment;  // inside a generated type name
};

ScalarName scalar_name(Wire kind) {
  switch (kind) {
    case Wire::i8:
      return {"small", "Small"};
    case Wire::i16:
      return {"short", "Short"};
    case Wire::i32:
      return {"long", "Long"};
    case Wire::i64:
      return {"hyper", "Hyper"};
    case Wire::e16:
      return {"Enum16", "Enum16"};
    case Wire::guid:
      return {"GUID", "Guid"};
    case Wire::wstr:
      return {"LPWSTR", "String"};
    default:
      return {};
  }
}

bool is_scalar(const WireType& type) {
  return type.kind != Wire::interface_pointer && type.kind != Wire::record &&
         type.kind != Wire::array;
}

std::string uuid(const GUID& iid) { return std::string(com::guid_text<char>(iid).bare()); }

// Interfaces of other modules are named after their identifier.
std::string interface_name(const WireType& type) {
  if (!type.name.empty()) return std::string(type.name);
  std::string name = "I" + uuid(type.iid);
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

class IdlWriter {
 public:
  void write(std::ostream& out) {
    for (const auto& description : com::marshal::interface_catalogue) write_interface(description);

    out << "// The interfaces of the switching service. Methods are named by their slot in the\n"
           "// function table: only the shapes of their parameters are known here.\n"
           "import \"objidl.idl\";\n\n"
           "// Enumerations travel as 16 bits.\n"
           "typedef enum Enum16 { Enum16First = 0, Enum16Last = 32767 } Enum16;\n\n";
    for (const auto& [name, iid] : foreign_) {
      // Local: their proxies and stubs are the other module's, not generated from this file.
      out << "// Defined by another module of the system.\n"
          << "[object, local, uuid(" << uuid(iid) << ")]\n"
          << "interface " << name << " : IUnknown\n{\n}\n\n";
    }
    for (const auto& description : com::marshal::interface_catalogue)
      out << "interface " << description.name << ";\n";
    out << '\n' << types_.str() << interfaces_.str();
  }

 private:
  void write_interface(const com::marshal::InterfaceDescription& description) {
    std::ostringstream methods;
    for (const auto& method : description.methods) {
      methods << "    HRESULT Method" << unsigned{method.slot} << '(';
      if (method.parameters.empty()) methods << "void";
      for (std::size_t i = 0; i < method.parameters.size(); ++i) {
        std::string context = std::string(description.name) + "_Method" +
                              std::to_string(method.slot) + "_P" + std::to_string(i);
        methods << (i == 0 ? "" : ", ") << parameter(method.parameters[i], context) << " p" << i;
      }
      methods << ");\n";
    }
    interfaces_ << "[object, uuid(" << uuid(description.iid) << "), pointer_default(unique)]\n"
                << "interface " << description.name << " : IUnknown\n{\n"
                << methods.str() << "}\n\n";
  }

  std::string parameter(const Parameter& parameter, const std::string& context) {
    const WireType& type = *parameter.type;
    std::string name = type_name(type, context);
    if (parameter.direction == Direction::out) return "[out] " + name + "*";
    bool by_reference =
        (type.kind == Wire::record || type.kind == Wire::array) && !parameter.by_value;
    return "[in] " + name + (by_reference ? "*" : "");
  }

  // The IDL name of a shape, declaring records, arrays and foreign interfaces on first use;
  // shapes without a name of their own are named after where they first appear.
  std::string type_name(const WireType& type, const std::string& context) {
    if (is_scalar(type)) return std::string(scalar_name(type.kind).idl);
    if (type.kind == Wire::interface_pointer) {
      std::string name = interface_name(type);
      if (type.name.empty()) foreign_.emplace(name, type.iid);
      return name + "*";
    }
    if (auto known = declared_.find(&type); known != declared_.end()) return known->second;
    std::string name =
        type.kind == Wire::record ? declare_record(type, context) : declare_array(type, context);
    declared_.emplace(&type, name);
    return name;
  }

  std::string declare_record(const WireType& type, const std::string& context) {
    std::string name = type.name.empty() ? context : std::string(type.name);
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < type.fields.size(); ++i)
      fields.push_back(type_name(*type.fields[i], name + "_Field" + std::to_string(i)));
    std::ostringstream body;
    for (std::size_t i = 0; i < fields.size(); ++i)
      body << "    " << fields[i] << " field" << i << ";\n";
    typedef_struct(name, body.str());
    return name;
  }

  std::string declare_array(const WireType& type, const std::string& context) {
    const WireType& element = *type.element;
    bool unnamed_element = element.kind == Wire::record && element.name.empty() &&
                           declared_.find(&element) == declared_.end();
    std::string element_name = type_name(element, context + "Item");
    std::string name = unnamed_element
                           ? context
                           : std::string(type.nullable ? "NullableArrayOf" : "ArrayOf") +
                                 fragment(element, element_name);
    if (declared_names_.contains(name)) return name;  // the same shape declared elsewhere
    typedef_struct(name, "    long count;\n    [" + std::string(type.nullable ? "unique" : "ref") +
                             ", size_is(count)] " + element_name + "* items;\n");
    return name;
  }

  static std::string fragment(const WireType& element, const std::string& element_name) {
    if (is_scalar(element)) return std::string(scalar_name(element.kind).fragment);
    if (element.kind == Wire::interface_pointer) return interface_name(element);
    return element_name;
  }

  void typedef_struct(const std::string& name, const std::string& body) {
    declared_names_.insert(name);
    types_ << "typedef struct " << name << "\n{\n" << body << "} " << name << ";\n\n";
  }

  std::map<const WireType*, std::string> declared_;
  std::set<std::string> declared_names_;
  std::map<std::string, GUID> foreign_;
  std::ostringstream types_;
  std::ostringstream interfaces_;
};

}  // namespace

void write_interface_idl(std::ostream& out) { IdlWriter().write(out); }

}  // namespace com::marshal
