#include "plugins/Win32Plugin.h"

#include <memory>

#include "platform/Win32Owner.h"

namespace {

// Hidden, system, volume label, directory: such entries are never plug-ins
// to load.
constexpr DWORD SkippedAttributes = 0x1E;

// folder with a backslash at its end. The last byte alone cannot tell: in a
// double-byte code page it may be the second half of a character (ソ is
// 83 5C in code page 932), so the last character is found by the code page's
// rules.
std::string WithSeparator(const std::string& folder) {
  const char* begin = folder.c_str();
  const char* end = begin + folder.size();
  const char* last = CharPrevA(begin, end);
  if (last + 1 == end && *last == '\\') return folder;
  return folder + '\\';
}

}  // namespace

TPlugin::TPlugin(const std::string& folder, const std::string& fileName)
    : FileName(fileName), Path(folder + fileName) {}

const char* TPlugin::GetDllName() const noexcept { return Path.c_str(); }

bool TPlugin::Load() noexcept {
  if (!TDllLoader::Load()) return false;
  EntryGetCount = ProcAs<TGetCountExport>("GetCount");
  EntryGetCaption = ProcAs<TGetCaptionExport>("GetCaption");
  EntryAction = ProcAs<TActionExport>("Action");
  return EntryGetCount != nullptr && EntryGetCaption != nullptr && EntryAction != nullptr;
}

std::string TPlugin::GetName() const { return FileName; }

std::int32_t TPlugin::GetCount() { return EntryGetCount != nullptr ? EntryGetCount() : 0; }

// Zero-filled, so that a plug-in that returns more than it wrote still gives
// a text that ends inside the buffer.
std::string TPlugin::GetCaption(std::int32_t number) {
  if (EntryGetCaption == nullptr) return {};
  TCaptionBuffer buffer = {};
  return CaptionText(buffer, EntryGetCaption(number, buffer, CaptionSize));
}

std::int32_t TPlugin::Action(std::int32_t number, TActionParam* param) {
  return EntryAction != nullptr ? EntryAction(number, param) : 0;
}

bool TInternalPlugin::Load() noexcept { return true; }

std::string TInternalPlugin::GetName() const { return InternalPluginName; }

std::int32_t TInternalPlugin::GetCount() { return 1; }

std::string TInternalPlugin::GetCaption(std::int32_t) { return DoubleClickAction; }

std::int32_t TInternalPlugin::Action(std::int32_t number, TActionParam* param) {
  if (number == 0 && param != nullptr) DoubleClick(*param);
  return 0;
}

// Two press-release pairs within the double-click time make a double click.
// Without MOUSEEVENTF_MOVE the cursor stays where it is and the clicks land
// there; x and y ride along unscaled. The extra information is read once, so
// that all four events carry that of the input being handled.
void TInternalPlugin::DoubleClick(const TActionParam& param) {
  const ULONG_PTR extra = static_cast<ULONG_PTR>(GetMessageExtraInfo());
  constexpr DWORD Press = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  constexpr DWORD Release = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  for (const DWORD flags : {Press, Release, Press, Release})
    mouse_event(flags, static_cast<DWORD>(param.X), static_cast<DWORD>(param.Y), 0, extra);
}

TPlugins::TPlugins() : TPlugins(std::make_unique<TInternalPlugin>()) {}

// Each file is loaded by its full path: the library search order would
// otherwise decide which file of that name is loaded.
void TPlugins::LoadDirectory(const std::string& folder) {
  const std::string prefix = WithSeparator(folder);
  WIN32_FIND_DATAA entry;
  const HANDLE first = FindFirstFileA((prefix + "*.vxp").c_str(), &entry);
  if (first == INVALID_HANDLE_VALUE) return;
  const TFindHandle search(first);
  do {
    if ((entry.dwFileAttributes & SkippedAttributes) != 0) continue;
    auto plugin = std::make_unique<TPlugin>(prefix, entry.cFileName);
    if (plugin->Load()) Add(std::move(plugin));
  } while (FindNextFileA(search.Get(), &entry));
}
