// The action registry against fake plug-ins that record how they are called.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugins/Plugin.h"

namespace {

struct TCall {
  std::string Plugin;
  std::int32_t Number;
  const TActionParam* Param;
};

struct TPluginLog {
  std::vector<TCall> Actions;
  std::vector<std::string> Queries;  // "name:count", "name:caption N"
  std::vector<std::string> Destroyed;
};

class TFakePlugin : public PluginActions {
 public:
  TFakePlugin(std::string name, std::vector<std::string> captions, TPluginLog& log)
      : Name(std::move(name)), Captions(std::move(captions)),
        Count(static_cast<std::int32_t>(Captions.size())), Log(log) {}
  ~TFakePlugin() override { Log.Destroyed.push_back(Name); }

  std::string GetName() const override { return Name; }
  std::int32_t GetCount() override {
    Log.Queries.push_back(Name + ":count");
    return Count;
  }
  std::string GetCaption(std::int32_t number) override {
    Log.Queries.push_back(Name + ":caption " + std::to_string(number));
    return Captions.at(static_cast<std::size_t>(number));
  }
  std::int32_t Action(std::int32_t number, TActionParam* param) override {
    Log.Actions.push_back({Name, number, param});
    return 100 + number;
  }

  std::string Name;
  std::vector<std::string> Captions;
  std::int32_t Count;
  TPluginLog& Log;
};

class PluginsTest : public testing::Test {
 protected:
  std::unique_ptr<TFakePlugin> Fake(const std::string& name, std::vector<std::string> captions) {
    return std::make_unique<TFakePlugin>(name, std::move(captions), Log);
  }

  std::vector<std::string> Names(const TPlugins& plugins) const {
    std::vector<std::string> names;
    for (int i = 0; i < plugins.GetActionCount(); ++i) names.push_back(plugins.GetActionName(i));
    return names;
  }

  TPluginLog Log;
  TActionParam Param{10, 20, 0x08, -2, 0x1234};
};

TEST_F(PluginsTest, FirstPluginToOfferANameKeepsItAndCaseMakesNamesDistinct) {
  TPlugins plugins(Fake("builtin", {"Double Click"}));
  plugins.Add(Fake("a", {"Shared", "alpha", "Double Click"}));
  plugins.Add(Fake("b", {"Shared", "Alpha", ""}));

  EXPECT_EQ(3, plugins.GetPluginCount()) << "a plug-in whose names are taken stays listed";
  const std::vector<std::string> expected = {"Double Click", "Shared", "alpha", "Alpha", ""};
  EXPECT_EQ(expected, Names(plugins));

  EXPECT_EQ(100, plugins.ExecuteAction("Shared", &Param));
  EXPECT_EQ(101, plugins.ExecuteAction("Alpha", &Param));
  EXPECT_EQ(101, plugins.ExecuteAction("alpha", &Param));
  EXPECT_EQ(100, plugins.ExecuteAction("Double Click", &Param));
  EXPECT_EQ(102, plugins.ExecuteAction("", &Param));
  ASSERT_EQ(5u, Log.Actions.size());
  const std::vector<std::pair<std::string, std::int32_t>> ran = {
      {"a", 0}, {"b", 1}, {"a", 1}, {"builtin", 0}, {"b", 2}};
  for (std::size_t i = 0; i < ran.size(); ++i) {
    EXPECT_EQ(ran[i].first, Log.Actions[i].Plugin) << i;
    EXPECT_EQ(ran[i].second, Log.Actions[i].Number) << i;
    EXPECT_EQ(&Param, Log.Actions[i].Param) << "the caller's record is passed on";
  }
}

TEST_F(PluginsTest, EachPluginIsAskedOnceForItsCountAndEachCaptionWhenAdded) {
  TPlugins plugins(nullptr);
  plugins.Add(Fake("a", {"One", "Two"}));
  auto none = Fake("none", {"Never"});
  none->Count = 0;
  plugins.Add(std::move(none));
  auto negative = Fake("negative", {"Never"});
  negative->Count = -3;
  plugins.Add(std::move(negative));
  plugins.ExecuteAction("Two", &Param);
  plugins.GetActionName(0);

  const std::vector<std::string> expected = {"a:count", "a:caption 0", "a:caption 1",
                                             "none:count", "negative:count"};
  EXPECT_EQ(expected, Log.Queries);
  EXPECT_EQ(3, plugins.GetPluginCount()) << "a plug-in without actions stays listed";
  EXPECT_EQ(2, plugins.GetActionCount());
}

TEST_F(PluginsTest, UnknownNamesAndIndexesOutOfRangeGiveNothing) {
  TPlugins plugins(Fake("builtin", {"Double Click"}));
  EXPECT_EQ(0, plugins.ExecuteAction("double click", &Param));
  EXPECT_EQ(0, plugins.ExecuteAction("Double Click ", &Param));
  EXPECT_EQ(0, plugins.ExecuteAction("", &Param));
  EXPECT_TRUE(Log.Actions.empty());
  EXPECT_EQ("", plugins.GetActionName(-1));
  EXPECT_EQ("", plugins.GetActionName(1));
  EXPECT_EQ("", plugins.GetActionName(INT_MIN));
}

TEST_F(PluginsTest, ClearDestroysEveryPluginAndForgetsTheirNames) {
  {
    TPlugins plugins(Fake("builtin", {"Double Click"}));
    plugins.Add(Fake("a", {"Shared"}));
    plugins.Clear();
    EXPECT_EQ((std::vector<std::string>{"builtin", "a"}), Log.Destroyed);
    EXPECT_EQ(0, plugins.GetPluginCount());
    EXPECT_EQ(0, plugins.GetActionCount());
    EXPECT_EQ(0, plugins.ExecuteAction("Shared", &Param));

    // Indexes start again from the first plug-in added after a Clear.
    plugins.Add(Fake("b", {"Shared"}));
    EXPECT_EQ(100, plugins.ExecuteAction("Shared", &Param));
    ASSERT_EQ(1u, Log.Actions.size());
    EXPECT_EQ("b", Log.Actions[0].Plugin);
  }
  EXPECT_EQ((std::vector<std::string>{"builtin", "a", "b"}), Log.Destroyed)
      << "destroying the registry destroys its plug-ins";
}

// A buffer with no zero in it, as a plug-in may leave it.
std::string CaptionOfFullBuffer(std::int32_t written) {
  TCaptionBuffer buffer;
  std::memset(buffer, 'x', sizeof buffer);
  return CaptionText(buffer, written);
}

// Run with the sanitizers, a count outside the buffer would be caught here.
TEST(CaptionTextTest, EndsTheTextInsideTheBufferWhateverThePluginReturns) {
  EXPECT_EQ("xxx", CaptionOfFullBuffer(3));
  EXPECT_EQ("", CaptionOfFullBuffer(0));
  EXPECT_EQ("", CaptionOfFullBuffer(-1));
  EXPECT_EQ("", CaptionOfFullBuffer(INT_MIN));
  EXPECT_EQ(std::string(CaptionSize, 'x'), CaptionOfFullBuffer(CaptionSize));
  EXPECT_EQ(std::string(CaptionSize, 'x'), CaptionOfFullBuffer(CaptionSize + 1));
  EXPECT_EQ(std::string(CaptionSize, 'x'), CaptionOfFullBuffer(INT_MAX));

  TCaptionBuffer buffer;
  std::memcpy(buffer, "ab\0cd", 5);
  EXPECT_EQ("ab", CaptionText(buffer, 5)) << "the text ends at its first zero";
}

}  // namespace
