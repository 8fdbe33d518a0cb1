// The integer rules of the stores over many random and edge inputs: every
// 32-bit value comes back from each form a store may hold it in, and no
// text, however odd, reads as two different numbers.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "settings/SettingStore.h"

namespace {

std::string Hex(std::int32_t value, const char* format) {
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<std::uint32_t>(value));
  return text;
}

TEST(SettingIntegerFuzz, EveryValueReadsBackFromEachWrittenForm) {
  std::mt19937 random(1297);
  std::vector<std::int32_t> values = {0, 1, -1, 9, 10, 15, 16, INT32_MAX, INT32_MIN};
  for (int i = 0; i < 20000; ++i) values.push_back(static_cast<std::int32_t>(random()));
  for (const std::int32_t value : values) {
    const std::int32_t other = value ^ 1;  // a default that differs from the value
    const std::string decimal = std::to_string(value);
    EXPECT_EQ(ParseSettingInteger(decimal, other), value);
    EXPECT_EQ(ParseSettingInteger("0x" + Hex(value, "%" PRIX32), other), value);
    EXPECT_EQ(ParseSettingInteger("0X" + Hex(value, "%" PRIx32), other), value);
    EXPECT_EQ(ParseSettingInteger("$" + Hex(value, "%08" PRIx32), other), value);
    EXPECT_EQ(ParseDecimalInteger(decimal, other), value);
    EXPECT_EQ(ParseDecimalInteger("$" + Hex(value, "%" PRIX32), other), other);
  }
}

TEST(SettingIntegerFuzz, RandomTextsReadAsOneNumberOrTheDefault) {
  std::mt19937 random(511);
  const std::string alphabet = "0123456789abcdefxX$+- \t";
  for (int i = 0; i < 50000; ++i) {
    std::string text(random() % 14, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const std::int32_t first = ParseSettingInteger(text, 0x13579BDF);
    const std::int32_t second = ParseSettingInteger(text, -0x2468ACE0);
    if (first != 0x13579BDF || second != -0x2468ACE0) {
      EXPECT_EQ(first, second) << text;
    }
    // Text the registry takes as decimal reads the same in a setting file.
    const std::int32_t decimal = ParseDecimalInteger(text, 0x13579BDF);
    if (decimal != 0x13579BDF) {
      EXPECT_EQ(first, decimal) << text;
    }
  }
}

}  // namespace
