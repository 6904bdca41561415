// EngineTgaFuzz.cpp - the engine's own TGA reader (generated card images,
// deck elements): any bytes as a TGA file, read into a new image and into an
// image of the file's size.
#include "Engine/EngTga.h"
#include "tests/Fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzWriteFile("picture.tga", data, size);
  EngTga image;
  if (!image.LoadFromFile("picture.tga", true)) {
    FUZZ_CHECK(!image.HasData());
    return 0;
  }
  FUZZ_CHECK(image.GetDataSize() ==
             static_cast<std::size_t>(image.GetWidth()) * image.GetHeight() * 4);
  FUZZ_CHECK(image.GetDataSize() + kEngTgaHeaderSize <= size);
  EngTga same;
  if (same.Create(image.GetWidth(), image.GetHeight(), 32)) {
    FUZZ_CHECK(same.LoadFromFile("picture.tga", false));
    FUZZ_CHECK(same.GetPixelFromTop(0, 0) == image.GetPixelFromTop(0, 0));
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  FuzzBeginInput();  // the pictures are written in the work folder
  std::vector<FuzzSeed> seeds;
  const int sizes[][2] = {{1, 1}, {3, 2}, {16, 16}};
  for (const auto& s : sizes) {
    EngTga image;
    if (!image.CreateWithColour(s[0], s[1], 32, 0.2f, 0.4f, 0.6f, 0.8f)) continue;
    image.SetDataPartColour(0, 0, 1, 1, 1.0f, 0.0f, 0.0f, 1.0f);
    const std::string name = "seed-" + std::to_string(s[0]) + "x" + std::to_string(s[1]) + ".tga";
    if (image.SaveToFile(name.c_str())) seeds.push_back({name, FuzzReadFile(name)});
  }
  // The top-left origin the reader also takes.
  if (!seeds.empty()) {
    std::string topDown = seeds.back().bytes;
    topDown[17] = 0x20;
    seeds.push_back({"seed-top-left.tga", topDown});
  }
  return seeds;
}
