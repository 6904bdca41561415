// MakeCardArt.cpp - draws the pictures of the cards and the table into the
// data folder at build time: the face generator's elements, the card
// backs, the empty-pile markers, the table boards and the small pictures of
// the table (all drawn here; text in the DejaVu fonts).
//
//   MakeCardArt <build folder> <stamp file>
//
// The stamp file is written last, when every picture was written.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "Tools/ArtParts.h"

std::string ArtOutput::Folder(const std::string& relative) const {
  const std::string path = root_ + "/" + relative;
  std::error_code error;
  std::filesystem::create_directories(path, error);
  Check(!error, path);
  return path;
}

void ArtOutput::Check(bool ok, const std::string& path) const {
  if (ok) return;
  std::fprintf(stderr, "MakeCardArt: could not write %s\n", path.c_str());
  failed_ = true;
}

void ArtOutput::Tga(const ArtCanvas& canvas, const std::string& path) const { Check(canvas.SaveTga(path), path); }
void ArtOutput::Jpeg(const ArtCanvas& canvas, const std::string& path) const { Check(canvas.SaveJpeg(path, 92), path); }
void ArtOutput::Bmp(const ArtCanvas& canvas, const std::string& path) const { Check(canvas.SaveBmp(path), path); }

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: MakeCardArt <build folder> <stamp file>\n");
    return 2;
  }
  const ArtOutput out(argv[1]);
  ArtMakeElements(out);
  ArtMakeBacks(out);
  ArtMakeTable(out);
  ArtMakeBoards(out);
  if (out.Failed()) return 1;
  std::FILE* stamp = std::fopen(argv[2], "w");
  if (!stamp) return 1;
  std::fputs("drawn\n", stamp);
  return std::fclose(stamp) == 0 ? 0 : 1;
}
