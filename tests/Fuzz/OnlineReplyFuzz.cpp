// OnlineReplyFuzz.cpp - the high-score service's reply: any bytes as what
// the submission read back. The popup's title and text stay terminated in
// their buffers, a reply of the wrong length is never read, and the game's
// online value changes only for a letter that carries it, read whole.
#include <cstring>
#include <string>

#include "App/Internet.h"
#include "tests/Fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  if (size > 1023) return 0;  // the submission reads at most 1023 bytes
  const std::string reply(reinterpret_cast<const char*>(data), size);
  char title[kInternetTextSize + 1], text[kInternetTextSize + 1];
  std::memset(title, '#', sizeof title);
  std::memset(text, '#', sizeof text);
  std::uint32_t online = 123456;
  InternetInterpretReply(reply.data(), static_cast<int>(size), &online, title, text);
  FUZZ_CHECK(title[kInternetTextSize] == '#' && text[kInternetTextSize] == '#');
  FUZZ_CHECK(std::memchr(title, '\0', kInternetTextSize) != nullptr);
  FUZZ_CHECK(std::memchr(text, '\0', kInternetTextSize) != nullptr);
  const bool usable = size >= 4 && size <= 19;
  if (!usable) FUZZ_CHECK(std::strcmp(text, "Problem reading high scores list  [03]") == 0);
  const bool carriesValue = usable && std::strchr("ABCD", reply[1]) != nullptr && reply[1] != '\0';
  if (!carriesValue) FUZZ_CHECK(online == 123456);
  if (std::strcmp(text, "Problem reading high scores list  [04]") == 0) FUZZ_CHECK(online == 123456);
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {{"added.txt", "xA 5000 0"},         {"low.txt", "xB 1200\r\n"},  {"updated.txt", "xC 3000 4"},
          {"better.txt", "xD 7 2"},           {"version.txt", "xV 460 470"}, {"error.txt", "xX -5"},
          {"no-numbers.txt", "xA    "},       {"long.txt", "xA 5000 0 and far too long"}};
}
