// The last step of a conventional renderer: its UTF-8 result copied into the caller's UTF-16
// buffer, terminated.
#pragma once

#include <cstdint>
#include <string_view>

namespace bench {

// False when the text and its terminator do not fit; the buffer then holds an empty text.
bool copy_to_caller_buffer(std::string_view utf8, char16_t* buffer, std::uint32_t size);

}  // namespace bench
