// Tests of the enciphered record files and the Blowfish encipherer: sizes,
// known answers against libtomcrypt's plain AES, the counter's carry, and
// the failure paths.
#include <tomcrypt.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr const char* kPhrase = "Test_Phrase_0123";  // 16 characters

class EngEncryptionTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    EngEncryptionResetForTests();
    ASSERT_TRUE(EngEncryptionInit(kPhrase));
  }
  void TearDown() override {
    EngEncryptionResetForTests();
    TempDirTest::TearDown();
  }
  static std::string Record(std::size_t n) {
    std::string record(n, '\0');
    for (std::size_t i = 0; i < n; ++i) record[i] = static_cast<char>(i * 7 + 3);
    return record;
  }
};

// AES-128 ECB of one block with libtomcrypt directly.
void EcbEncrypt(const unsigned char* key, const unsigned char* in, unsigned char* out) {
  symmetric_key schedule;
  ASSERT_EQ(aes_setup(key, 16, 0, &schedule), CRYPT_OK);
  ASSERT_EQ(aes_ecb_encrypt(in, out, &schedule), CRYPT_OK);
}

}  // namespace

TEST_F(EngEncryptionTest, RecordFileIsSixteenBytesLongerAndRoundTrips) {
  const std::string record = Record(100);
  ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile("player.dat", record.data(), record.size()));
  EXPECT_EQ(EngFileGetFileSize("player.dat", false), 116);
  EXPECT_NE(ReadFile("player.dat").substr(16), record);  // enciphered on disk
  std::string back(100, '\0');
  ASSERT_TRUE(EngEncryptionReadFromFileAndDecrypt("player.dat", back.data(), back.size()));
  EXPECT_EQ(back, record);
  EXPECT_TRUE(LogLines().empty());

  std::string wrong(99, 'x');
  EXPECT_FALSE(EngEncryptionReadFromFileAndDecrypt("player.dat", wrong.data(), wrong.size()));
  EXPECT_EQ(wrong, std::string(99, 'x'));  // untouched
  EXPECT_TRUE(
      LogContains("( EngEncryptionReadFromFileAndDecrypt )    Bad size in file <player.dat>"));
}

TEST_F(EngEncryptionTest, KnownAnswerWithACarryingCounter) {
  // Counter block of 0xFF bytes: the second block's counter wraps to zero
  // (little-endian increment over all 16 bytes).
  unsigned char counter[16];
  std::memset(counter, 0xFF, sizeof(counter));
  EngEncryptionForceCounterBlockForTests(counter);
  const std::string record = Record(40);
  unsigned char* out = EngEncryptionEncrypt(record.data(), record.size());
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(std::memcmp(out, counter, 16), 0);

  unsigned char key[16] = {};
  std::memcpy(key, kPhrase, 16);
  unsigned char block[16], stream[48];
  std::memcpy(block, counter, 16);
  EcbEncrypt(key, block, stream);
  std::memset(block, 0x00, 16);  // 0xFF..FF + 1
  EcbEncrypt(key, block, stream + 16);
  block[0] = 1;  // + 2
  EcbEncrypt(key, block, stream + 32);
  for (std::size_t i = 0; i < record.size(); ++i) {
    ASSERT_EQ(out[16 + i], static_cast<unsigned char>(record[i]) ^ stream[i]) << "byte " << i;
  }
  std::free(out);
}

TEST_F(EngEncryptionTest, ShortPassPhraseIsZeroPadded) {
  EngEncryptionResetForTests();
  ASSERT_TRUE(EngEncryptionInit("abcde"));
  unsigned char counter[16] = {1, 2, 3};
  EngEncryptionForceCounterBlockForTests(counter);
  const unsigned char zeros[16] = {};
  unsigned char* out = EngEncryptionEncrypt(zeros, sizeof(zeros));
  ASSERT_NE(out, nullptr);
  unsigned char key[16] = {'a', 'b', 'c', 'd', 'e'};
  unsigned char expected[16];
  EcbEncrypt(key, counter, expected);
  EXPECT_EQ(std::memcmp(out + 16, expected, 16), 0);
  std::free(out);
}

TEST_F(EngEncryptionTest, PassPhraseLimits) {
  EngEncryptionResetForTests();
  for (const char* bad : {static_cast<const char*>(nullptr), "", "12345678901234567"}) {
    EXPECT_FALSE(EngEncryptionInit(bad));
  }
  EXPECT_TRUE(LogContains("( EngEncryptionInit )    Invalid password"));
  const char data[4] = {1, 2, 3, 4};
  EXPECT_EQ(EngEncryptionEncrypt(data, 4), nullptr);
  EXPECT_TRUE(LogContains("( EngEncryptionEncrypt )    Encryption not setup"));
}

TEST_F(EngEncryptionTest, TwoWritesOfOneRecordDiffer) {
  const std::string record = Record(32);
  ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile("a.dat", record.data(), record.size()));
  ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile("b.dat", record.data(), record.size()));
  EXPECT_NE(ReadFile("a.dat"), ReadFile("b.dat"));
  EXPECT_NE(ReadFile("a.dat").substr(0, 16), ReadFile("b.dat").substr(0, 16));
}

TEST_F(EngEncryptionTest, DecipheringLeavesATerminator) {
  const char text[] = "hello";
  unsigned char* out = EngEncryptionEncrypt(text, 5);
  ASSERT_NE(out, nullptr);
  unsigned char buffer[5 + 17];
  std::memcpy(buffer, out, 21);
  buffer[21] = 'Z';
  std::free(out);
  ASSERT_TRUE(EngEncryptionDecrypt(buffer, 5));
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "hello");
}

TEST_F(EngEncryptionTest, RecordsFollowEachOtherInAnOpenFile) {
  const std::string one = Record(10), two = Record(30);
  {
    EngFile file;
    ASSERT_TRUE(file.DoOpenForWriting("both.dat", false));
    ASSERT_TRUE(EngEncryptionEncryptAndWriteToOpenFile(&file, one.data(), one.size()));
    ASSERT_TRUE(EngEncryptionEncryptAndWriteToOpenFile(&file, two.data(), two.size()));
  }
  EXPECT_EQ(EngFileGetFileSize("both.dat", false), 10 + 16 + 30 + 16);
  EngFile file;
  ASSERT_TRUE(file.OpenForReading("both.dat", false));
  std::string a(10, '\0'), b(30, '\0'), c(5, 'q');
  ASSERT_TRUE(EngEncryptionReadFromOpenFileAndDecrypt(&file, a.data(), a.size()));
  ASSERT_TRUE(EngEncryptionReadFromOpenFileAndDecrypt(&file, b.data(), b.size()));
  EXPECT_EQ(a, one);
  EXPECT_EQ(b, two);
  EXPECT_FALSE(EngEncryptionReadFromOpenFileAndDecrypt(&file, c.data(), c.size()));
  EXPECT_EQ(c, "qqqqq");
}

TEST_F(EngEncryptionTest, FailedWriteKeepsTheOldFile) {
  const std::string old = Record(20);
  ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile("keep.dat", old.data(), old.size()));
  const std::string before = ReadFile("keep.dat");
  // A folder where the temporary file would go makes the write fail (also
  // for root, whom permissions do not stop).
  const std::string temporary = "keep.dat.tmp-" + std::to_string(getpid());
  ASSERT_TRUE(std::filesystem::create_directory(temporary));
  std::string fresh = Record(20);
  fresh[0] = '!';
  EXPECT_FALSE(EngEncryptionEncryptAndWriteToFile("keep.dat", fresh.data(), fresh.size()));
  EXPECT_TRUE(LogContains("( EngFileWriteReplacing )    Could not write file <keep.dat>"));
  EXPECT_EQ(ReadFile("keep.dat"), before);
  std::string back(20, '\0');
  ASSERT_TRUE(EngEncryptionReadFromFileAndDecrypt("keep.dat", back.data(), back.size()));
  EXPECT_EQ(back, old);
}

TEST_F(EngEncryptionTest, MissingFilesAndArgumentsFailQuietly) {
  char record[8];
  EXPECT_FALSE(EngEncryptionReadFromFileAndDecrypt("absent.dat", record, sizeof(record)));
  EXPECT_FALSE(EngEncryptionReadFromFileAndDecrypt(nullptr, record, sizeof(record)));
  EXPECT_FALSE(EngEncryptionReadFromFileAndDecrypt("absent.dat", nullptr, 8));
  EXPECT_FALSE(EngEncryptionReadFromFileAndDecrypt("absent.dat", record, 0));
  EXPECT_FALSE(EngEncryptionReadFromOpenFileAndDecrypt(nullptr, record, 8));
  EXPECT_TRUE(LogLines().empty());
  EXPECT_FALSE(EngEncryptionEncryptAndWriteToFile("x.dat", record, 0));
  EXPECT_TRUE(LogContains("( EngEncryptionEncrypt )    Invalid data"));
  EXPECT_FALSE(EngFileExists("x.dat"));
}

TEST(EngEncryptionBlowfish, KnownAnswerAndTail) {
  // The published test vector: key "abcdefghijklmnopqrstuvwxyz", "BLOWFISH".
  unsigned char data[11] = {'B', 'L', 'O', 'W', 'F', 'I', 'S', 'H', 'x', 'y', 'z'};
  ASSERT_TRUE(EngEncryptionEncryptData2("abcdefghijklmnopqrstuvwxyz", data, sizeof(data)));
  const unsigned char expected[8] = {0x32, 0x4E, 0xD0, 0xFE, 0xF4, 0x13, 0xA2, 0x03};
  EXPECT_EQ(std::memcmp(data, expected, 8), 0);
  EXPECT_EQ(data[8], 'x');  // the last n mod 8 bytes stay
  EXPECT_EQ(data[10], 'z');
}

TEST(EngEncryptionBlowfish, MatchesLibtomcryptAndIsEcb) {
  const char* key = "a key of some length";
  unsigned char data[20];
  for (int i = 0; i < 20; ++i) data[i] = static_cast<unsigned char>(i < 16 ? 0x55 : i);
  ASSERT_TRUE(EngEncryptionEncryptData2(key, data, sizeof(data)));
  symmetric_key schedule;
  ASSERT_EQ(blowfish_setup(reinterpret_cast<const unsigned char*>(key),
                           static_cast<int>(std::strlen(key)), 0, &schedule),
            CRYPT_OK);
  unsigned char plain[8], cipher[8];
  std::memset(plain, 0x55, 8);
  ASSERT_EQ(blowfish_ecb_encrypt(plain, cipher, &schedule), CRYPT_OK);
  EXPECT_EQ(std::memcmp(data, cipher, 8), 0);
  EXPECT_EQ(std::memcmp(data + 8, cipher, 8), 0);  // equal blocks, equal output
  EXPECT_EQ(data[16], 16);
  EXPECT_EQ(data[19], 19);
}

// In a temporary folder: the refusals write the log file.
class EngEncryptionBlowfishTest : public TempDirTest {};

TEST_F(EngEncryptionBlowfishTest, Refusals) {
  unsigned char seven[7] = {};
  unsigned char eight[8] = {};
  EXPECT_FALSE(EngEncryptionEncryptData2("longenough", seven, sizeof(seven)));
  EXPECT_TRUE(LogContains("Invalid data (must be at least 8 bytes long)."));
  EXPECT_FALSE(EngEncryptionEncryptData2("short", eight, sizeof(eight)));
  EXPECT_FALSE(EngEncryptionEncryptData2(nullptr, eight, sizeof(eight)));
  EXPECT_TRUE(LogContains("( EngEncryptionEncryptData2 )    Invalid key."));
}
