#include "plugins/Plugin.h"

#include <algorithm>
#include <utility>

// A count outside 0 to CaptionSize breaks the interface; the text then ends
// at the nearer end of the buffer rather than outside it.
std::string CaptionText(TCaptionBuffer& buffer, std::int32_t written) noexcept {
  const std::int32_t end = written < 0 ? 0 : written > CaptionSize ? CaptionSize : written;
  buffer[end] = '\0';
  return std::string(buffer);
}

TPlugins::TPlugins(std::unique_ptr<PluginActions> builtIn) { Add(std::move(builtIn)); }

TPlugins::~TPlugins() { Clear(); }

// The host asks each plug-in once for its names, here; the first plug-in to
// offer a name keeps it, so the order of loading decides.
void TPlugins::Add(std::unique_ptr<PluginActions> plugin) {
  if (!plugin) return;
  const std::size_t index = PluginList.size();
  PluginList.push_back(std::move(plugin));
  PluginActions& added = *PluginList.back();
  const std::int32_t count = std::min(added.GetCount(), ActionLimit);
  for (std::int32_t number = 0; number < count; ++number) {
    std::string name = added.GetCaption(number);
    if (ActionIndex.emplace(name, TActionEntry{index, number}).second)
      ActionNameList.push_back(std::move(name));
  }
}

void TPlugins::Clear() {
  ActionIndex.clear();
  ActionNameList.clear();
  PluginList.clear();
}

std::int32_t TPlugins::ExecuteAction(const std::string& name, TActionParam* param) {
  // Every entry points into PluginList: Add appends the plug-in before it
  // registers its names, and Clear forgets the names with the plug-ins.
  const auto found = ActionIndex.find(name);
  if (found == ActionIndex.end()) return 0;
  return PluginList[found->second.Plugin]->Action(found->second.Number, param);
}

int TPlugins::GetPluginCount() const { return static_cast<int>(PluginList.size()); }

int TPlugins::GetActionCount() const { return static_cast<int>(ActionNameList.size()); }

std::string TPlugins::GetActionName(int index) const {
  if (index < 0 || index >= GetActionCount()) return {};
  return ActionNameList[static_cast<std::size_t>(index)];
}
