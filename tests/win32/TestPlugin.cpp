// Plug-ins for the plug-in suite; each variant is one build (TestPlugin.h).
// They export with __declspec(dllexport) and --kill-at, the other common
// way to get undecorated stdcall names.
#define VORLIX_PLUGIN_EXPORT __declspec(dllexport)

#include <climits>
#include <cstring>
#include <type_traits>

#include "TestPlugin.h"
#include "shared/Win32Owner.h"
#include "plugins/PluginLibrary.h"

#define VORLIX_EXPORT extern "C" __declspec(dllexport)

namespace {

#if defined(VORLIX_TEST_PLUGIN_FIRST)
constexpr std::int32_t PluginId = 1;
constexpr const char* Captions[] = {"Shared", "First only"};
#elif defined(VORLIX_TEST_PLUGIN_SECOND)
constexpr std::int32_t PluginId = 2;
constexpr const char* Captions[] = {"Shared", "Second only"};
#elif defined(VORLIX_TEST_PLUGIN_NO_ACTION)
constexpr const char* Captions[] = {"Orphan"};
#elif defined(VORLIX_TEST_PLUGIN_CAPTIONS)
constexpr std::int32_t PluginId = 3;
#elif defined(VORLIX_TEST_PLUGIN_FAULTY)
constexpr std::int32_t PluginId = 4;
constexpr const char* Captions[] = {"Crash", "Throw", "Fine"};
// What Visual C++ raises for a throw.
constexpr DWORD VisualCppException = 0xE06D7363;

void WriteThroughNull() { *static_cast<volatile int*>(nullptr) = 1; }
#endif

}  // namespace

#if defined(VORLIX_TEST_PLUGIN_CAPTIONS)
VORLIX_EXPORT std::int32_t WINAPI GetCount() { return 4; }

VORLIX_EXPORT std::int32_t WINAPI GetCaption(std::int32_t number, char* buffer,
                                             std::int32_t size) {
  constexpr char Fill[] = "LMNO";
  std::memset(buffer, Fill[number], static_cast<std::size_t>(size));
  const std::int32_t results[] = {size, size + 45, -1, 2};
  return results[number];
}
#elif defined(VORLIX_TEST_PLUGIN_FAULTY)
VORLIX_EXPORT std::int32_t WINAPI GetCount() { return INT32_MAX; }

VORLIX_EXPORT std::int32_t WINAPI GetCaption(std::int32_t number, char* buffer, std::int32_t) {
  if (number >= 3) WriteThroughNull();
  std::strcpy(buffer, Captions[number]);
  return static_cast<std::int32_t>(std::strlen(buffer));
}
#else
VORLIX_EXPORT std::int32_t WINAPI GetCount() { return sizeof Captions / sizeof Captions[0]; }

VORLIX_EXPORT std::int32_t WINAPI GetCaption(std::int32_t number, char* buffer, std::int32_t) {
  std::strcpy(buffer, Captions[number]);
  return static_cast<std::int32_t>(std::strlen(buffer));
}
#endif

#if !defined(VORLIX_TEST_PLUGIN_NO_ACTION)
namespace {

std::int32_t Record(std::int32_t number, TActionParam* param) {
  const TKernelHandle mapping(
      OpenFileMappingA(FILE_MAP_WRITE, FALSE, PluginCallMappingName().c_str()));
  const TMappedView view(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr);
  if (!view) return -1;
  TPluginCall& call = *static_cast<TPluginCall*>(const_cast<void*>(view.Get()));
  call.PluginId = PluginId;
  call.Number = number;
  call.Param = *param;
  InterlockedIncrement(&call.Calls);
  return PluginId * 100 + number;
}

}  // namespace

VORLIX_EXPORT std::int32_t WINAPI Action(std::int32_t number, TActionParam* param) {
#if defined(VORLIX_TEST_PLUGIN_FAULTY)
  if (number == 0) WriteThroughNull();
  if (number == 1) RaiseException(VisualCppException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
#endif
  return Record(number, param);
}

static_assert(std::is_same_v<decltype(&Action), TActionExport>, "Action as the host calls it");
#endif

static_assert(std::is_same_v<decltype(&GetCount), TGetCountExport>, "as the host calls it");
static_assert(std::is_same_v<decltype(&GetCaption), TGetCaptionExport>, "as the host calls it");
