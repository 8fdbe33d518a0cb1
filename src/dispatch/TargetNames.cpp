#include "dispatch/TargetNames.h"

#include <algorithm>
#include <cstring>

#include "platform/AnsiText.h"
#include "shared/VorlixData.h"

std::string TTargetNames::ClassName(Wnd window) {
  char buffer[NameBufferSize];
  ClassNameInto(window, buffer);
  return buffer;
}

std::string TTargetNames::ModuleName(Wnd window) {
  char buffer[NameBufferSize];
  ModuleNameInto(window, buffer);
  return buffer;
}

void TTargetNames::ClassNameInto(Wnd window, char* buffer) {
  buffer[0] = '\0';
  Windows.ClassName(window, buffer, NameBufferSize);
  // ASCII rules only: the rules are stored under names formed so.
  for (char* c = buffer; *c; ++c)
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
}

void TTargetNames::ModuleNameInto(Wnd window, char* buffer) {
  // One byte more than the 260 asked for, so that the zero behind a name of
  // full length still lies inside the buffer.
  std::memset(buffer, 0, NameBufferSize);
  const std::uint32_t count = Names.GetModuleName(window, buffer, NameBufferSize - 1);
  buffer[std::min<std::uint32_t>(count, NameBufferSize - 1)] = '\0';

  const std::size_t nameStart =
      FileNameStart(buffer, [this](std::uint8_t byte) { return Windows.IsLeadByte(byte); });
  const std::size_t length = std::strlen(buffer + nameStart);
  std::memmove(buffer, buffer + nameStart, length + 1);
  AnsiUpperCase(buffer, length);
}
