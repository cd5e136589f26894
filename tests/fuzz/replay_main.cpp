// Runs the fuzz target over files given on the command line, for compilers
// without libFuzzer (the host g++ build): keeps the target compiling and lets
// the corpus and any saved crash inputs be replayed under the sanitizers.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int runs = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(data.data(), data.size());
    ++runs;
  }
  std::printf("%d inputs replayed\n", runs);
  return 0;
}
