// PublishAnswerFuzz.cpp - the deck service's answers: any bytes as
// everything the service sends back (status line, headers, body) to the
// check and the announcement, served from a loopback server; and the same
// bytes read directly as an answer body. The transfers end in time, and an
// answer is taken as a yes only when its second character is 'Y'.
#include <cstdlib>
#include <string>

#include "Screens/Decks/Publish.h"
#include "tests/Fuzz/FuzzSupport.h"
#include "tests/Support/HttpTestServer.h"

namespace {

HttpTestServer& Server() {
  static HttpTestServer* server = new HttpTestServer();  // lives as long as the process
  return *server;
}

std::string Reply(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // Read directly as an answer body.
  const PublishCheckAnswer check = PublishReadCheckAnswer(bytes.data(), bytes.size());
  FUZZ_CHECK(check.result >= kPublishCheckNoAnswer && check.result <= kPublishCheckOther);
  FUZZ_CHECK((check.result == kPublishCheckTooLong) == (size >= 512));
  FUZZ_CHECK(check.result != kPublishCheckOk || (size > 1 && bytes[1] == 'Y'));
  FUZZ_CHECK(check.text.size() < 512);
  const PublishEmailAnswer email = PublishReadEmailAnswer(bytes.data(), bytes.size());
  FUZZ_CHECK(email.result != kPublishEmailOk || (size > 1 && bytes[1] == 'Y'));
  FUZZ_CHECK(email.whole.size() < 512 && email.text.size() <= email.whole.size());

  // Served as the whole reply of both requests.
  static bool setUp = false;
  if (!setUp) {
    setUp = true;
    setenv("CARDOLIA_SITE_URL", Server().Url("").c_str(), 1);
    PublishSetTimeoutsForTests(1000, 1, 2000);
  }
  const std::string raw = bytes.empty() ? std::string("\r\n") : bytes;
  Server().SetReply("/cgi-bin/cardolia/publish/SendDeck.cgi", HttpTestReply::Raw(raw));
  Server().SetReply("/cgi-bin/cardolia/publish/SendDeckEmail.cgi", HttpTestReply::Raw(raw));
  PublishCheckIfOkToUploadData();
  PublishSendEmail();
  FUZZ_CHECK(Server().WaitUntilIdle(5.0));
  PublishFreeTransferState();
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"yes.txt", Reply("?Y")},
      {"refused.txt", Reply("?N Closed for the night")},
      {"versions.txt", Reply("?V 430 431")},
      {"error.txt", Reply("?X 5")},
      {"not-found.txt", "HTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\n?Y"},
      {"long.txt", Reply("?Y" + std::string(600, '.'))},
      {"body.txt", "?V 1 2"},
  };
}
