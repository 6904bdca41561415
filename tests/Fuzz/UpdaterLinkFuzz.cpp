// UpdaterLinkFuzz.cpp - the update check's reply as the updater judges it:
// any bytes (cut at the first NUL and at the 2047-byte buffer, as the reader
// hands them over) are parsed in place, and the link it names is turned
// into the file name a download may take. Whatever the reply, the message
// stays inside its buffer, the link inside its 256 bytes, and a name that
// passes is a plain file name: https only, 1 to 64 letters, digits, '.',
// '-', '_' or '+', not starting with '.'.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "App/Updater.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

bool Plain(const std::string& name) {
  if (name.empty() || name.size() > static_cast<std::size_t>(kUpdaterMaxFileName) || name[0] == '.') return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                    c == '-' || c == '_' || c == '+';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  std::vector<char> reply(kUpdaterReplySize + 1, '#');
  const std::size_t length = std::min(size, static_cast<std::size_t>(kUpdaterReplySize - 1));
  std::memcpy(reply.data(), data, length);
  reply[length] = '\0';
  const std::size_t before = std::strlen(reply.data());
  std::vector<char> link(kUpdaterLinkSize + 1, '#');
  bool tooLong = false;
  const bool accepted = UpdaterParseReply(reply.data(), link.data(), &tooLong);
  FUZZ_CHECK(reply[kUpdaterReplySize] == '#');
  FUZZ_CHECK(link[kUpdaterLinkSize] == '#');
  FUZZ_CHECK(std::memchr(link.data(), '\0', kUpdaterLinkSize) != nullptr);
  FUZZ_CHECK(std::strlen(reply.data()) <= before);  // only ever cut
  if (!accepted || tooLong) FUZZ_CHECK(link[0] == '\0');
  std::string name = "unchanged";
  if (UpdaterLinkFileName(link.data(), &name)) {
    FUZZ_CHECK(strncasecmp(link.data(), "https://", 8) == 0);
    FUZZ_CHECK(Plain(name));
  } else {
    FUZZ_CHECK(name.empty());
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"offer.txt", "Your version is out of date.\r\n#DL:<https://www.cardolia.invalid/files/Setup.exe>"},
      {"offer-query.txt", "out of date. #DL:<https://h.example/get/Cardolia-4.90.tar.gz?from=4.82#notes>"},
      {"current.txt", "No new version exists at this time."},
      {"service-error.txt", " X 3 unknown program"},
      {"refused-link.txt", "out of date. #DL:<file:///etc/passwd>"},
      {"long-link.txt", "out of date. #DL:<https://h/" + std::string(300, 'a') + ">"},
  };
}
