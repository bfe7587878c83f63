// Writes the host's sample payloads as the fuzzer's seed corpus, one file per sample and form,
// in the fuzzer's input layout: row, form, buffer size (little-endian), then the payload.
#include <cstdio>
#include <fstream>
#include <string>

#include "samples.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  int written = 0;
  for (const host::Sample& sample : host::make_samples()) {
    for (char form : {'\0', '\1'}) {
      std::string name = std::string(argv[1]) + "/row" + std::to_string(sample.row) + "-" +
                         std::to_string(written) + (form != 0 ? "-xml" : "-text");
      std::ofstream out(name, std::ios::binary);
      const char header[] = {static_cast<char>(sample.row), form, '\x00', '\x10'};
      out.write(header, sizeof header);
      out.write(reinterpret_cast<const char*>(sample.payload.data()),
                static_cast<std::streamsize>(sample.payload.size()));
      if (!out) {
        std::fprintf(stderr, "cannot write %s\n", name.c_str());
        return 1;
      }
      ++written;
    }
  }
  std::printf("%d seeds\n", written);
  return 0;
}
