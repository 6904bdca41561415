// FuzzMain.cpp - the main of the replay programs (fuzz_replay_<name>): the
// fuzz target's own function, fed with files, under the normal build and its
// sanitizers. No fuzzing happens here; this is how the committed corpus and
// every input that ever crashed stay regression tests.
//
//   fuzz_replay_<name> <file or folder>...   replays every file given and
//                                            every file of each folder (in
//                                            name order; a missing folder
//                                            is skipped); fails when nothing
//                                            was replayed
//   fuzz_replay_<name> --write-seeds <folder>  writes the target's seeds
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/Fuzz/FuzzSupport.h"

namespace {

namespace fs = std::filesystem;

// The regular files of a path: itself, or a folder's files in name order.
std::vector<fs::path> FilesOf(const fs::path& path) {
  std::vector<fs::path> files;
  std::error_code error;
  if (fs::is_regular_file(path, error)) {
    files.push_back(path);
  } else if (fs::is_directory(path, error)) {
    for (const auto& entry : fs::directory_iterator(path, error)) {
      if (entry.is_regular_file(error)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
  }
  return files;
}

int WriteSeeds(const fs::path& folder) {
  fs::create_directories(folder);
  const std::vector<FuzzSeed> seeds = FuzzSeeds();
  for (const FuzzSeed& seed : seeds) {
    std::ofstream out(folder / seed.name, std::ios::binary | std::ios::trunc);
    out.write(seed.bytes.data(), static_cast<std::streamsize>(seed.bytes.size()));
  }
  std::printf("wrote %zu seeds to %s\n", seeds.size(), folder.c_str());
  return seeds.empty() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Paths are taken before the target changes the current folder.
  std::vector<fs::path> paths;
  for (int i = 1; i < argc; ++i) paths.push_back(fs::absolute(argv[i]));
  if (argc == 3 && std::strcmp(argv[1], "--write-seeds") == 0) return WriteSeeds(paths[1]);

  int replayed = 0;
  for (const fs::path& path : paths) {
    for (const fs::path& file : FilesOf(path)) {
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}
