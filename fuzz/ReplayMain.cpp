// The main of a fuzz target outside the fuzzer: hands LLVMFuzzerTestOneInput the bytes of each
// file it is given, and of each file in each folder it is given (in name order), one after the
// other in this process as the fuzzer would. A property that does not hold aborts the run as it
// does under the fuzzer. Ends with status 1 when it was given nothing to run or a file cannot
// be read, so that a missing corpus does not pass as a clean one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& given) {
  if (!fs::is_directory(given)) return {given};
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(given)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<std::vector<std::uint8_t>> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t run = 0;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& file : InputsIn(argv[i])) {
      const std::optional<std::vector<std::uint8_t>> bytes = Bytes(file);
      if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
        return 1;
      }
      std::fprintf(stderr, "%s\n", file.string().c_str());
      LLVMFuzzerTestOneInput(bytes->data(), bytes->size());
      ++run;
    }
  }
  if (run == 0) {
    std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...: nothing given to run\n", argv[0]);
    return 1;
  }
  std::printf("%zu inputs, every property held\n", run);
  return 0;
}
