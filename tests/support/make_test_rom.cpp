// Writes a synthetic recognised image (the test fixture) to the path given, for tests that drive
// the real programs from a script.
#include <cstdio>

#include "rom_fixture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PATH\n", argc > 0 ? argv[0] : "make_test_rom");
    return 2;
  }
  const zentrax::RomImage rom = zentrax::test::makeRom();
  zentrax::test::writeFile(argv[1], rom);
  if (zentrax::test::readFile(argv[1]) != rom) {
    std::fprintf(stderr, "%s: could not write the test image\n", argv[1]);
    return 1;
  }
  return 0;
}
