// The parts of the contract between the main program and the hook library
// that must agree byte for byte on both sides: version classes, the service
// pack digit, the registered message names and the mapping name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "shared/Messages.h"
#include "shared/OsVersion.h"
#include "shared/VorlixData.h"

namespace {

struct TVersionRow {
  const char* System;
  std::uint32_t PlatformId;
  std::uint32_t Major;
  std::uint32_t Minor;
  int ExpectedClass;
};

TEST(OsVersionClassTest, ClassifiesEveryRowOfTheTable) {
  const TVersionRow rows[] = {
      {"Windows 95", 1, 4, 0, 0},
      {"Windows 98", 1, 4, 10, 1},
      {"Windows Me", 1, 4, 90, 1},
      // On the 9x platform only the minor version counts.
      {"9x platform, major 5 minor 0", 1, 5, 0, 0},
      {"NT 4.0", 2, 4, 0, 2},
      {"NT 4 with a minor version", 2, 4, 10, 2},
      {"Windows 2000", 2, 5, 0, 3},
      {"Windows XP", 2, 5, 1, 3},
      {"Windows 7", 2, 6, 1, 3},
      {"Windows 10", 2, 10, 0, 3},
      {"NT 3.51", 2, 3, 51, 255},
      {"NT platform, major 0", 2, 0, 0, 255},
      {"Win32s", 0, 3, 10, 255},
      {"Windows CE", 3, 4, 0, 255},
      {"unknown platform", 0xFFFFFFFFu, 5, 0, 255},
  };
  for (const TVersionRow& row : rows) {
    SCOPED_TRACE(row.System);
    EXPECT_EQ(row.ExpectedClass, OsVersionClass(row.PlatformId, row.Major, row.Minor));
  }
}

// Builds the 128-byte szCSDVersion field; the rest of it is zero.
struct TCsdVersion {
  char Field[128] = {};
  explicit TCsdVersion(const char* text) {
    std::memcpy(Field, text, std::min(std::strlen(text), sizeof Field));
  }
};

TEST(ServicePackDigitTest, TakesTheLastCharacterMinusZero) {
  EXPECT_EQ(3, ServicePackDigit(TCsdVersion("Service Pack 3").Field));
  EXPECT_EQ(6, ServicePackDigit(TCsdVersion("Service Pack 6").Field));
  // NT 4 reports "Service Pack 6a": the letter counts, not the digit before it.
  EXPECT_EQ('a' - '0', ServicePackDigit(TCsdVersion("Service Pack 6a").Field));
  // Windows 98 Second Edition reports " A "; the trailing blank gives a
  // negative number, which is below every threshold.
  EXPECT_EQ(-16, ServicePackDigit(TCsdVersion(" A ").Field));
}

TEST(ServicePackDigitTest, EmptyFieldGivesZero) {
  EXPECT_EQ(0, ServicePackDigit(TCsdVersion("").Field));
  // One character is already enough to take it.
  EXPECT_EQ(9, ServicePackDigit(TCsdVersion("9").Field));
}

TEST(ServicePackDigitTest, StopsAtTheFirstZeroByte) {
  TCsdVersion csd("Service Pack 2");
  // Stale bytes after the terminator must not be taken for the last character.
  std::memcpy(csd.Field + 20, "Service Pack 7", 14);
  EXPECT_EQ(2, ServicePackDigit(csd.Field));
}

TEST(ServicePackDigitTest, UnterminatedFieldUsesItsLastByte) {
  char field[128];
  std::memset(field, 'x', sizeof field);
  field[126] = '1';
  field[127] = '5';
  EXPECT_EQ(5, ServicePackDigit(field));
}

TEST(ServicePackDigitTest, HighBytesCountAsUnsigned) {
  // A trail byte of the system code page, as in a localised "SP2" text.
  TCsdVersion csd("SP");
  csd.Field[2] = static_cast<char>(0x82);
  EXPECT_EQ(0x82 - '0', ServicePackDigit(csd.Field));
  EXPECT_EQ(82, ServicePackDigit(csd.Field));

  char full[128];
  std::memset(full, 'x', sizeof full);
  full[127] = static_cast<char>(0xFF);
  EXPECT_EQ(255 - '0', ServicePackDigit(full));
}

TEST(SharedContractTest, MessageNamesInRegistrationOrder) {
  // The hook library and the main program register these by name in this
  // order; a renamed message silently breaks the conversation.
  const char* const expected[] = {
      "Vorlix_MouseWheelNotifyMessage", "Vorlix_GetModuleName", "Vorlix_SetForegroundW2K",
      "Vorlix_SetFocusEX",              "Vorlix_SendVScrollMessage", "Vorlix_DamyMessage",
      "Vorlix_SendHScrollMessage",
  };
  const std::size_t count = sizeof RegisteredMessageNames / sizeof RegisteredMessageNames[0];
  ASSERT_EQ(sizeof expected / sizeof expected[0], count);
  std::set<std::string> distinct;
  for (std::size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(expected[i], RegisteredMessageNames[i]);
    distinct.insert(RegisteredMessageNames[i]);
  }
  EXPECT_EQ(count, distinct.size());
}

TEST(SharedContractTest, SharedDataName) {
  EXPECT_STREQ("Vorlix_SharedData", SharedDataName);
}

}  // namespace
