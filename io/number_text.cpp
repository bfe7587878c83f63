#include "io/number_text.hpp"

#include "io/errors.hpp"

namespace io {

void NumberText::raise_too_large() { throw generic_error_t<char16_t>(u"decimal overflow"); }

}  // namespace io
