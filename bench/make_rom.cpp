// Writes a synthetic image of the recognised revision: a header, a patterned body, the signature.
#include <cstdio>
#include <vector>

#include "stat_layout.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 2;
  }
  std::vector<unsigned char> image(16 + 16 * 16384);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i * 31 + 7);
  const unsigned char header[] = {'N', 'E', 'S', 0x1A, 16, 0, 0x40, 0};
  std::copy(std::begin(header), std::end(header), image.begin());
  for (unsigned i = 0; i < zentrax::kSignatureSize; ++i) {
    image[zentrax::kSignatureOffset + i] =
        static_cast<unsigned char>(zentrax::kSignatureValue >> (8 * i));
  }
  FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(image.data(), 1, image.size(), out) != image.size() ||
      std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
