// The registry's contents as lines, for comparisons: "[path]" for each key, then "name=data"
// for each of its values ("@=data" for the default value).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "support/render_harness.hpp"

namespace test {

inline std::vector<std::string> registry_contents() {
  std::vector<std::string> lines;
  VedRegistryVisitor visitor{
      &lines,
      [](void* context, const char16_t* path) {
        static_cast<std::vector<std::string>*>(context)->push_back("[" + to_utf8(path) + "]");
      },
      [](void* context, const char16_t* name, const char16_t* data) {
        std::string shown = *name == u'\0' ? "@" : to_utf8(name);
        static_cast<std::vector<std::string>*>(context)->push_back(shown + "=" + to_utf8(data));
      }};
  VedRegistryVisit(&visitor);
  return lines;
}

// Tests that share the process-wide registry start and end with it empty.
class CleanRegistry : public ::testing::Test {
 protected:
  void SetUp() override { VedRegistryClear(); }
  void TearDown() override { VedRegistryClear(); }
};

}  // namespace test
