// The integer rules of the stores over random and edge inputs: every 32-bit
// value reads back from each form a store may hold it in, and no text reads
// as two different numbers.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>

#include "settings/SettingStore.h"

namespace {

std::string Hex(const char* format, std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<std::uint32_t>(value));
  return text;
}

TEST(SettingIntegerFuzz, EveryValueReadsBackFromEachWrittenForm) {
  std::mt19937 random(1297);
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t edges[] = {0, -1, 16, INT32_MAX, INT32_MIN};
    const std::int32_t value = i < 5 ? edges[i] : static_cast<std::int32_t>(random());
    const std::int32_t other = value ^ 1;  // a default that is not the value
    EXPECT_EQ(ParseSettingInteger(std::to_string(value), other), value);
    EXPECT_EQ(ParseSettingInteger(Hex("0x%" PRIX32, value), other), value);
    EXPECT_EQ(ParseSettingInteger(Hex("0X%" PRIx32, value), other), value);
    EXPECT_EQ(ParseSettingInteger(Hex("$%08" PRIx32, value), other), value);
    EXPECT_EQ(ParseDecimalInteger(std::to_string(value), other), value);
    EXPECT_EQ(ParseDecimalInteger(Hex("0x%" PRIX32, value), other), other);
  }
}

TEST(SettingIntegerFuzz, RandomTextsReadAsOneNumberOrTheDefault) {
  std::mt19937 random(511);
  const std::string alphabet = "0123456789abcdefxX$+- \t";
  const std::int32_t a = 0x13579BDF, b = -0x2468ACE0;
  for (int i = 0; i < 50000; ++i) {
    std::string text(random() % 14, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const std::int32_t first = ParseSettingInteger(text, a);
    EXPECT_TRUE(first == ParseSettingInteger(text, b) || first == a) << text;
    // What the registry takes as decimal, a setting file takes the same way.
    const std::int32_t decimal = ParseDecimalInteger(text, a);
    EXPECT_TRUE(decimal == a || decimal == first) << text;
  }
}

}  // namespace
