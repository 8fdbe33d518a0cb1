// The action registry against fake plug-ins that log every call made to them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugins/Plugin.h"

namespace {

using TLog = std::vector<std::string>;  // "plugin:call", in order

class TFakePlugin : public PluginActions {
 public:
  TFakePlugin(std::string name, std::vector<std::string> captions, TLog& log)
      : Name(std::move(name)), Captions(std::move(captions)),
        Count(static_cast<std::int32_t>(Captions.size())), Log(log) {}
  ~TFakePlugin() override { Log.push_back(Name + ":destroyed"); }

  std::string GetName() const override { return Name; }
  std::int32_t GetCount() override {
    Log.push_back(Name + ":count");
    return Count;
  }
  std::string GetCaption(std::int32_t number) override {
    Log.push_back(Name + ":caption " + std::to_string(number));
    return Captions.at(static_cast<std::size_t>(number));
  }
  std::int32_t Action(std::int32_t number, TActionParam* param) override {
    Log.push_back(Name + ":action " + std::to_string(number));
    LastParam = param;
    return 100 + number;
  }

  const std::string Name;
  const std::vector<std::string> Captions;
  std::int32_t Count;
  TLog& Log;
  TActionParam* LastParam = nullptr;
};

class PluginsTest : public testing::Test {
 protected:
  std::unique_ptr<TFakePlugin> Fake(const std::string& name, std::vector<std::string> captions) {
    return std::make_unique<TFakePlugin>(name, std::move(captions), Log);
  }

  static std::vector<std::string> Names(const TPlugins& plugins) {
    std::vector<std::string> names;
    for (int i = 0; i < plugins.GetActionCount(); ++i) names.push_back(plugins.GetActionName(i));
    return names;
  }

  TLog Log;
  TActionParam Param{10, 20, 0x08, -2, 0x1234};
};

TEST_F(PluginsTest, FirstPluginToOfferANameRunsItAndCaseMakesNamesDistinct) {
  TPlugins plugins(Fake("builtin", {"Double Click"}));
  auto a = Fake("a", {"Shared", "alpha", "Double Click"});
  TFakePlugin& first = *a;
  plugins.Add(std::move(a));
  plugins.Add(Fake("b", {"Shared", "Alpha", ""}));
  EXPECT_EQ(3, plugins.GetPluginCount()) << "a plug-in whose names are taken stays listed";
  EXPECT_EQ((std::vector<std::string>{"Double Click", "Shared", "alpha", "Alpha", ""}),
            Names(plugins));

  Log.clear();
  EXPECT_EQ(100, plugins.ExecuteAction("Shared", &Param));
  EXPECT_EQ(&Param, first.LastParam) << "the caller's record is handed on";
  EXPECT_EQ(101, plugins.ExecuteAction("Alpha", &Param));
  EXPECT_EQ(101, plugins.ExecuteAction("alpha", &Param));
  EXPECT_EQ(100, plugins.ExecuteAction("Double Click", &Param));
  EXPECT_EQ(102, plugins.ExecuteAction("", &Param));
  EXPECT_EQ((TLog{"a:action 0", "b:action 1", "a:action 1", "builtin:action 0", "b:action 2"}),
            Log);
}

TEST_F(PluginsTest, PluginsAreAskedOnceWhenAddedAndThoseWithoutActionsStay) {
  TPlugins plugins(nullptr);
  plugins.Add(Fake("a", {"One", "Two"}));
  for (const std::int32_t count : {0, -3}) {
    auto none = Fake("none", {"Never"});
    none->Count = count;
    plugins.Add(std::move(none));
  }
  plugins.ExecuteAction("Two", &Param);
  plugins.GetActionName(0);
  EXPECT_EQ((TLog{"a:count", "a:caption 0", "a:caption 1", "none:count", "none:count",
                  "a:action 1"}),
            Log);
  EXPECT_EQ(3, plugins.GetPluginCount());
  EXPECT_EQ(2, plugins.GetActionCount());
}

TEST_F(PluginsTest, UnknownNamesAndIndexesOutOfRangeGiveNothing) {
  TPlugins plugins(Fake("builtin", {"Double Click"}));
  Log.clear();
  EXPECT_EQ(0, plugins.ExecuteAction("double click", &Param));
  EXPECT_EQ(0, plugins.ExecuteAction("Double Click ", &Param));
  EXPECT_EQ(0, plugins.ExecuteAction("", &Param));
  EXPECT_TRUE(Log.empty());
  for (const int index : {-1, 1, INT_MIN}) EXPECT_EQ("", plugins.GetActionName(index)) << index;
}

TEST_F(PluginsTest, ClearDestroysEveryPluginAndForgetsTheirNames) {
  {
    TPlugins plugins(Fake("builtin", {"Double Click"}));
    plugins.Add(Fake("a", {"Shared"}));
    Log.clear();
    plugins.Clear();
    EXPECT_EQ((TLog{"builtin:destroyed", "a:destroyed"}), Log);
    EXPECT_EQ(0, plugins.GetPluginCount());
    EXPECT_EQ(0, plugins.GetActionCount());
    EXPECT_EQ(0, plugins.ExecuteAction("Shared", &Param));

    // Entries made after a Clear point at the plug-ins added after it.
    plugins.Add(Fake("b", {"Shared"}));
    EXPECT_EQ(100, plugins.ExecuteAction("Shared", &Param));
    Log.clear();
  }
  EXPECT_EQ(TLog{"b:destroyed"}, Log) << "destroying the registry destroys its plug-ins";
}

// A buffer without any zero, as a plug-in may leave it.
std::string CaptionOfFullBuffer(std::int32_t written) {
  TCaptionBuffer buffer;
  std::memset(buffer, 'x', sizeof buffer);
  return CaptionText(buffer, written);
}

// Run with the sanitizers, a count outside the buffer would be caught here.
TEST(CaptionTextTest, EndsTheTextInsideTheBufferWhateverThePluginReturns) {
  EXPECT_EQ("xxx", CaptionOfFullBuffer(3));
  for (const std::int32_t written : {0, -1, INT_MIN}) EXPECT_EQ("", CaptionOfFullBuffer(written));
  for (const std::int32_t written : {CaptionSize, CaptionSize + 1, INT_MAX})
    EXPECT_EQ(std::string(CaptionSize, 'x'), CaptionOfFullBuffer(written));

  TCaptionBuffer buffer;
  std::memcpy(buffer, "ab\0cd", 5);
  EXPECT_EQ("ab", CaptionText(buffer, 5)) << "the text ends at its first zero";
}

TEST_F(PluginsTest, AbsurdCountAsksForTheFirstActionsOnly) {
  TPlugins plugins(Fake("builtin", {"Double Click"}));
  std::vector<std::string> captions;
  for (int i = 0; i <= ActionLimit; ++i) captions.push_back(std::to_string(i));
  auto many = Fake("many", captions);
  many->Count = INT32_MAX;
  plugins.Add(std::move(many));
  EXPECT_EQ(1 + ActionLimit, plugins.GetActionCount());
  EXPECT_EQ(std::to_string(ActionLimit - 1), plugins.GetActionName(ActionLimit));
}

}  // namespace
