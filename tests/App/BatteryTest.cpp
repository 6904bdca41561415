// Tests of the battery gauge: the charge read from power-supply folders laid
// out as the kernel lays them out (temporary trees), the poll countdown, the
// gauge's pieces and its picture file.
#include <climits>
#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "App/Battery.h"
#include "Platform/PowerSupply.h"
#include "tests/Support/TestSupport.h"

namespace {

using Properties = std::map<std::string, std::string>;

class BatteryTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    BatteryResetForTests();
    root_ = dir_ + "/power_supply";
    std::filesystem::create_directories(root_);
    BatterySetPowerSupplyRoot(root_.c_str());
  }
  void TearDown() override {
    BatteryResetForTests();
    TempDirTest::TearDown();
  }

  // One supply folder with one file per property (a line end after each, as
  // the kernel writes them).
  void Supply(const std::string& name, const Properties& properties) {
    std::filesystem::create_directories(root_ + "/" + name);
    for (const auto& [key, value] : properties) WriteFile(root_ + "/" + name + "/" + key, value + "\n");
  }

  std::string root_;
};

TEST_F(BatteryTest, TheChargeOfTheSystemBattery) {
  struct Case {
    const char* what;
    std::map<std::string, Properties> supplies;
    BatteryInfo expected;
  };
  const Properties discharging = {{"type", "Battery"}, {"status", "Discharging"}, {"energy_now", "25000000"},
                                  {"energy_full", "50000000"}, {"energy_full_design", "62500000"},
                                  {"time_to_empty_now", "5400"}};
  const Case cases[] = {
      {"discharging at half charge",
       {{"BAT0", discharging}},
       {1, 0, 1, 0, 0, 1, 5400, 50000, 25000, 62500, 0, 50, 20}},
      {"charging on mains, charge units",
       {{"BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"charge_now", "3000000"}, {"charge_full", "4000000"}}},
        {"AC", {{"type", "Mains"}, {"online", "1"}}}},
       {1, 1, 0, 0, 1, 0, 0, 4000, 3000, 0, 0, 75, -1}},
      {"a full capacity of 0",
       {{"BAT0", {{"type", "Battery"}, {"energy_now", "1000"}, {"energy_full", "0"}}}},
       {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, -1, -1}},
      {"more charge than the full capacity",
       {{"BAT1", {{"type", "Battery"}, {"energy_now", "61000000"}, {"energy_full", "60000000"},
                  {"capacity_level", "Critical"}}}},
       {1, 0, 0, 1, 0, 0, 0, 60000, 61000, 0, 0, 100, -1}},
      {"a battery that gives only its percentage, USB power on line",
       {{"BAT0", {{"type", "Battery"}, {"capacity", "42"}}}, {"ucsi-source-psy-0", {{"type", "USB_C"}, {"online", "1"}}}},
       {1, 0, 0, 0, 1, 0, 0, 100, 42, 0, 1, 42, -1}},
      {"mains alone", {{"AC", {{"type", "Mains"}, {"online", "1"}}}}, {}},
      {"a mouse's battery alone",
       {{"hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "90"}}}},
       {}},
      {"the system battery after a device's",
       {{"a_mouse", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "90"}}},
        {"BAT0", {{"type", "Battery"}, {"scope", "System"}, {"capacity", "10"}}}},
       {1, 0, 0, 0, 0, 0, 0, 100, 10, 0, 1, 10, -1}},
      {"numbers that are not numbers",
       {{"BAT0", {{"type", "Battery"}, {"energy_now", "-5"}, {"energy_full", "99999999999999999999999"},
                  {"capacity", "7x"}, {"time_to_empty_now", "soon"}}}},
       {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1}},
      {"no supplies at all", {}, {}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    for (const auto& [name, properties] : c.supplies) Supply(name, properties);
    BatteryInfo info;
    EXPECT_EQ(BatteryGetInfo(&info, true), c.expected.present != 0) << c.what;
    const BatteryInfo& e = c.expected;
    EXPECT_EQ(info.present, e.present) << c.what;
    EXPECT_EQ(info.charging, e.charging) << c.what;
    EXPECT_EQ(info.discharging, e.discharging) << c.what;
    EXPECT_EQ(info.critical, e.critical) << c.what;
    EXPECT_EQ(info.onLine, e.onLine) << c.what;
    EXPECT_EQ(info.timeKnown, e.timeKnown) << c.what;
    EXPECT_EQ(info.estimatedSeconds, e.estimatedSeconds) << c.what;
    EXPECT_EQ(info.fullCapacity, e.fullCapacity) << c.what;
    EXPECT_EQ(info.currentCapacity, e.currentCapacity) << c.what;
    EXPECT_EQ(info.designedCapacity, e.designedCapacity) << c.what;
    EXPECT_EQ(info.relativeCapacity, e.relativeCapacity) << c.what;
    EXPECT_EQ(info.chargePercent, e.chargePercent) << c.what;
    EXPECT_EQ(info.wearPercent, e.wearPercent) << c.what;
  }
}

TEST_F(BatteryTest, TheTimeIsReadOnlyWhenWantedAndTheUpdateKeepsTheRecord) {
  Supply("BAT0", {{"type", "Battery"}, {"capacity", "80"}, {"time_to_empty_now", "600"}});
  BatteryInfo info;
  ASSERT_TRUE(BatteryGetInfo(&info, false));
  EXPECT_EQ(info.timeKnown, 0);
  EXPECT_EQ(info.estimatedSeconds, 0);
  EXPECT_EQ(BatteryGetCurrentInfo().present, 0);  // cleared until the first update
  BatteryUpdate(false);
  EXPECT_EQ(BatteryGetCurrentInfo().present, 1);
  EXPECT_EQ(BatteryGetCurrentInfo().chargePercent, 80);
  // A missing root is no battery.
  BatterySetPowerSupplyRoot((dir_ + "/nothing").c_str());
  BatteryUpdate(false);
  EXPECT_EQ(BatteryGetCurrentInfo().present, 0);
}

TEST_F(BatteryTest, PropertyNumbersAreWholeAndBounded) {
  struct Case {
    const char* text;
    bool ok;
    std::uint64_t value;
  } cases[] = {
      {"0", true, 0},           {"123\n", true, 123},       {"9999999999999999999", true, 9999999999999999999ULL},
      {"", false, 0},           {"\n", false, 0},           {"-1", false, 0},
      {"12a", false, 0},        {" 12", false, 0},          {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    std::uint64_t value = 7;
    EXPECT_EQ(PlatformParsePowerNumber(c.text, &value), c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST_F(BatteryTest, ThePollIsDueEvery15SecondsAndAtOnceAfterAReset) {
  EXPECT_TRUE(BatteryPollDue(1000));
  EXPECT_FALSE(BatteryPollDue(1001));
  EXPECT_FALSE(BatteryPollDue(15999));
  EXPECT_TRUE(BatteryPollDue(16000));
  BatteryResetPollCountdown();
  EXPECT_TRUE(BatteryPollDue(16001));
  // Across the millisecond clock's wrap.
  EXPECT_FALSE(BatteryPollDue(UINT_MAX - 5000));
  BatteryResetPollCountdown();
  EXPECT_TRUE(BatteryPollDue(UINT_MAX - 5000));
  EXPECT_FALSE(BatteryPollDue(5000));
  EXPECT_TRUE(BatteryPollDue(10000));
}

TEST_F(BatteryTest, TheGaugesPieces) {
  struct Piece {
    float x, y, w, h, u0, v0, u1, v1;
  };
  struct Case {
    const char* what;
    bool vertical;
    float x, y, w, h;
    int charge;
    int count;
    Piece pieces[3];
  } cases[] = {
      {"half, horizontal", false, 300, 463, 100, 14, 50, 3,
       {{392.5f, 463, 7.5f, 14, 0.46f, 0.51f, 0.5f, 0.74f},
        {346.25f, 463, 46.25f, 14, 0.278f, 0.51f, 0.46f, 0.74f},
        {300, 463, 46.25f, 14, 0, 0.51f, 0.25f, 0.74f}}},
      {"empty", false, 0, 0, 40, 14, 0, 2,
       {{37, 0, 3, 14, 0.46f, 0.51f, 0.5f, 0.74f}, {0, 0, 37, 14, 0.244f, 0.51f, 0.46f, 0.74f}, {}}},
      // An unknown charge draws an empty gauge, never past its left edge.
      {"unknown charge", false, 0, 0, 40, 14, -1, 2,
       {{37, 0, 3, 14, 0.46f, 0.51f, 0.5f, 0.74f}, {0, 0, 37, 14, 0.244f, 0.51f, 0.46f, 0.74f}, {}}},
      {"full", false, 0, 0, 40, 14, 100, 2,
       {{37, 0, 3, 14, 0.46f, 0.51f, 0.5f, 0.74f}, {0, 0, 37, 14, 0, 0.51f, 0.25f, 0.74f}, {}}},
      {"a sliver filled", false, 0, 0, 40, 14, 2, 3,
       {{37, 0, 3, 14, 0.46f, 0.51f, 0.5f, 0.74f},
        {0.74f, 0, 36.26f, 14, 0.244f, 0.51f, 0.46f, 0.74f},
        {0, 0, 0.74f, 14, 0, 0.51f, 0.25f, 0.74f}}},
      {"a quarter, vertical", true, 622, 220, 14, 40, 25, 3,
       {{622, 220, 14, 4, 0.005f, 0, 0.245f, 0.04f},
        {622, 224, 14, 27, 0.005f, 0.04f, 0.245f, 0.2f},
        {622, 251, 14, 9, 0.005f, 0.31f, 0.245f, 0.5f}}},
      {"unknown charge, vertical", true, 4, 220, 14, 40, -1, 2,
       {{4, 220, 14, 4, 0.005f, 0, 0.245f, 0.04f}, {4, 224, 14, 36, 0.005f, 0.04f, 0.245f, 0.244f}, {}}},
  };
  for (const Case& c : cases) {
    BatteryGaugePiece pieces[3];
    ASSERT_EQ(BatteryGaugePieces(c.vertical, c.x, c.y, c.w, c.h, c.charge, pieces), c.count) << c.what;
    for (int i = 0; i < c.count; ++i) {
      const Piece& e = c.pieces[i];
      const BatteryGaugePiece& p = pieces[i];
      EXPECT_NEAR(p.x, e.x, 1e-3) << c.what << " piece " << i;
      EXPECT_NEAR(p.y, e.y, 1e-3) << c.what << " piece " << i;
      EXPECT_NEAR(p.w, e.w, 1e-3) << c.what << " piece " << i;
      EXPECT_NEAR(p.h, e.h, 1e-3) << c.what << " piece " << i;
      EXPECT_FLOAT_EQ(p.u0, e.u0) << c.what << " piece " << i;
      EXPECT_FLOAT_EQ(p.v0, e.v0) << c.what << " piece " << i;
      EXPECT_FLOAT_EQ(p.u1, e.u1) << c.what << " piece " << i;
      EXPECT_FLOAT_EQ(p.v1, e.v1) << c.what << " piece " << i;
      // Every piece lies inside the gauge.
      EXPECT_GE(p.x, c.x - 1e-3) << c.what;
      EXPECT_LE(p.x + p.w, c.x + c.w + 1e-3) << c.what;
      EXPECT_GE(p.y, c.y - 1e-3) << c.what;
      EXPECT_LE(p.y + p.h, c.y + c.h + 1e-3) << c.what;
    }
  }
}

TEST_F(BatteryTest, ThePictureFileIsCheckedBeforeItIsKept) {
  WriteFile(dir_ + "/gauge.tga", "x");
  const std::string tooLong(511, 'a');
  EXPECT_FALSE(BatterySetTextureFilename(nullptr));
  EXPECT_FALSE(BatterySetTextureFilename(""));
  EXPECT_FALSE(BatterySetTextureFilename(tooLong.c_str()));
  EXPECT_TRUE(LogContains("Filename too long"));
  EXPECT_FALSE(BatterySetTextureFilename((dir_ + "/missing.tga").c_str()));
  EXPECT_TRUE(LogContains("does not exist"));
  EXPECT_TRUE(BatterySetTextureFilename((dir_ + "/gauge.tga").c_str()));
  // Without a graphics device nothing is loaded, and nothing is drawn.
  BatteryRender();
}

}  // namespace
