// A bounded, repeatable fuzz run of the setting-file reader: the files of
// tests/corpus/vxs, mutated by a seeded generator, are read into the
// in-memory store and loaded. Every load must refuse with a setting error
// and leave the settings as they were, or give settings that a save and a
// load carry unchanged. Built with the sanitizers, which turn a read out of
// bounds or an overflow into a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "MemoryStore.h"
#include "settings/SettingError.h"
#include "settings/Vorlixsetting.h"

namespace {

// Each iteration mutates one input; the count keeps the run near ten
// seconds with the sanitizers on a slow machine.
constexpr int Iterations = 2500;

std::vector<std::string> Corpus() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(VORLIX_CORPUS_DIR)) {
    std::ifstream file(entry.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  return files;
}

std::vector<std::string> Dump(TVorlixSetting setting) {
  MemoryStore store;
  setting.SaveTo(store);
  return store.Writes;
}

// Pieces that give the mutations a fair chance of forming index entries,
// sections and values that the loaders handle in their own way.
const std::string Tokens[] = {
    "[", "]", "=", "\\", "/", "\r\n", "\n", "[WindowSetting\\.ClassNames]\n",
    "[ExeSetting\\.ExeNames]\n", "[ExeSetting\\A.EXE\\Window\\.ClassNames]\n",
    "[ExeSetting\\A.EXE\\Window\\.\\KeySetting]\n", "[WindowSetting\\EDIT]\n", "EDIT=\n",
    "A.EXE=\n", ".=\n", "UpType=", "DownType=2\nDown=", "Type=1\n", "ThisExeOnly=1\n",
    "ThisWindowOnly=1\n", "ClassName=", "ExeName=", "0x", "$", "-", "2147483648",
    "4294967295", "258", "-254", "..", "\x81", "\xff", std::string(1, '\0')};

std::string Mutated(const std::vector<std::string>& corpus, std::mt19937& random) {
  std::string text = corpus[random() % corpus.size()];
  const int mutations = 1 + static_cast<int>(random() % 8);
  for (int m = 0; m < mutations; ++m) {
    const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
    switch (random() % 6) {
      case 0:
        if (at < text.size()) text[at] = static_cast<char>(random());
        break;
      case 1:
        text.insert(at, Tokens[random() % std::size(Tokens)]);
        break;
      case 2:
        text.erase(at, random() % 64);
        break;
      case 3: {  // a piece of another input, so that sections meet other indexes
        const std::string& other = corpus[random() % corpus.size()];
        const std::size_t from = other.empty() ? 0 : random() % other.size();
        text.insert(at, other, from, random() % 256);
        break;
      }
      case 4:
        text.insert(at, 1, static_cast<char>(random()));
        break;
      default:  // a line repeated: duplicate keys and sections
        if (at < text.size()) {
          const std::size_t end = text.find('\n', at);
          text.insert(at, text.substr(at, end == std::string::npos ? end : end - at + 1));
        }
        break;
    }
  }
  return text;
}

// Settings off their defaults, to see that a refused load keeps them.
TVorlixSetting Live() {
  TVorlixSetting live;
  live.GeneralSetting.ScrollLines = 6;
  TWindowSetting edit;
  edit.ClassName = "EDIT";
  edit.Ignore = true;
  live.WindowSettings.Put("EDIT", "", edit);
  return live;
}

void LoadOne(const std::string& text) {
  MemoryStore store;
  store.LoadIniText(text);
  TVorlixSetting live = Live();
  const std::vector<std::string> before = Dump(live);
  try {
    live.LoadFrom(store);
  } catch (const ESettingError& error) {
    EXPECT_NE(std::string(error.what()), "");
    EXPECT_EQ(Dump(live), before) << "a refused load changed the settings";
    return;
  }
  // Names that the format cannot tell apart ("A/B" as a class, or class "A"
  // in application "B") meet on the first save; from then on a save and a
  // load must carry every setting unchanged.
  MemoryStore first;
  TVorlixSetting(live).SaveTo(first);
  TVorlixSetting once;
  once.LoadFrom(first);
  MemoryStore second;
  TVorlixSetting(once).SaveTo(second);
  TVorlixSetting twice;
  twice.LoadFrom(second);
  EXPECT_EQ(Dump(twice), Dump(once));
  try {
    live.CheckRegistryNames();
  } catch (const ESettingError& error) {
    EXPECT_NE(std::string(error.what()), "");
  }
}

TEST(SettingFileFuzz, MutatedCorpusLoadsWholeOrNotAtAll) {
  const std::vector<std::string> corpus = Corpus();
  ASSERT_GE(corpus.size(), 10u);
  for (const std::string& text : corpus) LoadOne(text);
  std::mt19937 random(1297);
  for (int i = 0; i < Iterations && !HasFailure(); ++i) {
    const std::string text = Mutated(corpus, random);
    SCOPED_TRACE("iteration " + std::to_string(i));
    LoadOne(text);
  }
}

// The key list of a setting file as the system returns it, cut anywhere.
TEST(SettingFileFuzz, KeyListsSplitInsideTheirLength) {
  const std::vector<std::string> corpus = Corpus();
  std::mt19937 random(511);
  for (int i = 0; i < 20000; ++i) {
    const std::string& text = corpus[random() % corpus.size()];
    const std::size_t from = text.empty() ? 0 : random() % text.size();
    const std::string list = text.substr(from, random() % 512);
    // Its own copy of exactly the length, so that a read past it is caught.
    const std::vector<char> bytes(list.begin(), list.end());
    std::size_t used = 0;
    for (const std::string& name : SplitKeyList(bytes.data(), bytes.size())) {
      EXPECT_FALSE(name.empty());
      EXPECT_EQ(name.find('\0'), std::string::npos);
      used += name.size() + 1;
    }
    EXPECT_LE(used, bytes.size() + 1);
  }
}

}  // namespace
