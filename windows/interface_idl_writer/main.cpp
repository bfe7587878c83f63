// interface_idl_writer FILE: writes the catalogued interfaces as IDL to FILE.
#include <cstdio>
#include <fstream>

#include "com/interface_idl.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: interface_idl_writer FILE\n", stderr);
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  com::marshal::write_interface_idl(out);
  out.close();
  return out ? 0 : 1;
}
