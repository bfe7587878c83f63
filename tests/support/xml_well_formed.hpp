// Whether an XML fragment, as the entries write it, is well-formed once wrapped in a root element:
// parsed by libxml2 without network access and without substituting entities.
#pragma once

#include <string>
#include <string_view>

namespace test {

// "" when the fragment is well-formed, else the parser's first complaint.
std::string xml_fragment_error(std::u16string_view fragment);

}  // namespace test
