// The executable names remembered per process: answered as the hook host
// answers, asked for once per process, never handed to a process that
// came later under the same id, and held in a bounded number of watches.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeDesktop.h"
#include "host/ModuleNameCache.h"

namespace {

constexpr std::uint32_t Frame = StyleVisible | StyleCaption;

class ModuleNameCacheTest : public ::testing::Test {
 protected:
  Wnd Process(std::uint32_t id, const std::string& path) {
    FakeWindow w{"Frame", {0, 0, 100, 100}, Frame, 0, 0, path};
    w.ProcessId = id;
    return Desk.Add(w);
  }
  std::string Name(Wnd window) {
    char buffer[TModuleNameCache::NameCapacity + 1] = {};
    const std::uint32_t count = Cache.GetModuleName(window, buffer, TModuleNameCache::NameCapacity);
    return std::string(buffer, count == 0 ? 0 : count - 1);
  }

  FakeDesktop Desk;
  TModuleNameCache Cache{Desk, Desk};
};

TEST_F(ModuleNameCacheTest, EachProcessIsAskedOnceAndAnsweredAsTheHookWould) {
  const Wnd editor = Process(40, "C:\\Tools\\editor.exe");
  const Wnd pane = Desk.AddChild(editor, "Pane", {0, 0, 50, 50});
  const Wnd viewer = Process(41, "a-name-of-twenty.exe");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Name(editor), "C:\\Tools\\editor.exe");
    EXPECT_EQ(Name(pane), "C:\\Tools\\editor.exe") << "a child belongs to its process";
    EXPECT_EQ(Name(viewer), "a-name-of-twenty.exe");
  }
  EXPECT_EQ(Desk.ModuleNameRequests, 2);

  // Cut as strncpy cuts: 8 bytes, no zero; a longer buffer is zero-filled.
  char cut[12];
  std::memset(cut, 'x', sizeof cut);
  EXPECT_EQ(Cache.GetModuleName(viewer, cut, 8), 8u);
  EXPECT_EQ(std::string(cut, 9), "a-name-ox");
  char padded[24];
  std::memset(padded, 'x', sizeof padded);
  EXPECT_EQ(Cache.GetModuleName(viewer, padded, sizeof padded), 21u);
  EXPECT_EQ(std::string(padded, sizeof padded), "a-name-of-twenty.exe" + std::string(4, '\0'));
  EXPECT_EQ(Desk.ModuleNameRequests, 2);
}

TEST_F(ModuleNameCacheTest, ProcessThatEndedIsNotNamedForTheOneReusingItsId) {
  const Wnd first = Process(40, "first.exe");
  EXPECT_EQ(Name(first), "first.exe");
  Desk.EndProcess(40);
  const Wnd second = Process(40, "second.exe");
  EXPECT_EQ(Name(second), "second.exe");
  EXPECT_EQ(Name(first), "") << "the window went with its process";
  EXPECT_EQ(Desk.OpenWatches, 1) << "the ended process's watch is closed";
}

TEST_F(ModuleNameCacheTest, NoIdOrNoNameIsAskedForEveryTime) {
  const Wnd unnamed = Process(0, "anonymous.exe");
  const Wnd notReached = Process(42, "");
  EXPECT_EQ(Name(unnamed), "anonymous.exe");
  EXPECT_EQ(Name(unnamed), "anonymous.exe");
  EXPECT_EQ(Name(notReached), "");
  Desk.Window(notReached).ModulePath = "late.exe";  // its thread answers now
  EXPECT_EQ(Name(notReached), "late.exe");
  EXPECT_EQ(Desk.ModuleNameRequests, 4);
  EXPECT_EQ(Desk.OpenWatches, 1);
}

TEST_F(ModuleNameCacheTest, WatchesStayBoundedAndAreAllClosed) {
  {
    TModuleNameCache cache{Desk, Desk};
    char buffer[TModuleNameCache::NameCapacity];
    const Wnd kept = Process(1, "kept.exe");
    for (std::uint32_t id = 2; id < 2 + 2 * TModuleNameCache::Capacity; ++id) {
      cache.GetModuleName(kept, buffer, sizeof buffer);
      cache.GetModuleName(Process(id, "p" + std::to_string(id) + ".exe"), buffer, sizeof buffer);
      EXPECT_LE(Desk.OpenWatches, TModuleNameCache::Capacity);
    }
    EXPECT_EQ(Desk.ModuleNameRequests, 1 + 2 * TModuleNameCache::Capacity)
        << "the process named on every turn was never dropped";

    // Watches on ended processes are let go at the next process that is new.
    for (std::uint32_t id = 1; id < 2 + 2 * TModuleNameCache::Capacity; ++id) Desk.EndProcess(id);
    cache.GetModuleName(Process(500, "new.exe"), buffer, sizeof buffer);
    EXPECT_EQ(Desk.OpenWatches, 1);
  }
  EXPECT_EQ(Desk.OpenWatches, 0);
}

}  // namespace
