// CLI11, included once for the whole host. g++ 12 sees a null dereference in CLI11's own string
// splitting once it is inlined at -O2, a false positive that only the header's code shows.
#pragma once

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnull-dereference"
#endif
#include <CLI/CLI.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
