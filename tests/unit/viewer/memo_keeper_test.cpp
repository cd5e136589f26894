// The memo keeper against a box and files in memory.
#include "viewer/memo_keeper.h"

#include <gtest/gtest.h>

#include <map>

#include "viewer/memo_file.h"

namespace flk {
namespace {

struct Box : MemoBox {
  std::string text;
  bool modified = false, readOnly = false, refuses = false, givesNothing = false;
  bool Load(const std::string& rtf) override {
    if (refuses) return false;
    text = rtf;
    return true;
  }
  void Empty() override { text.clear(); }
  std::optional<std::string> Text() override {
    if (givesNothing) return std::nullopt;
    return text;
  }
  bool HasText() override { return !text.empty(); }
  bool Modified() override { return modified; }
  void SetModified(bool m) override { modified = m; }
  void SetReadOnly(bool r) override { readOnly = r; }
};

struct Files : MemoFiles {
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable, unwritable;
  std::vector<std::string> warnings;
  bool Exists(const std::string& path) override { return files.count(path) || unreadable.count(path); }
  std::optional<std::vector<uint8_t>> Read(const std::string& path) override {
    if (unreadable.count(path)) return std::nullopt;
    const std::string& s = files.at(path);
    return std::vector<uint8_t>(s.begin(), s.end());
  }
  bool Write(const std::string& path, const std::string& rtf, std::string* why) override {
    if (unwritable.count(path)) {
      *why = "Cannot write file " + path + " (disk full)";
      return false;
    }
    files[path] = rtf;
    return true;
  }
  void Remove(const std::string& path) override { files.erase(path); }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};

const std::string kRtf = "{\\rtf1 hello}";

struct Memo {
  Box box;
  Files files;
  MemoKeeper keeper{box, files};
};

TEST(MemoKeeper, ShowsTheFileAndWritesOnlyAnEditedMemo) {
  Memo m;
  m.files.files["a.rtf"] = kRtf;
  m.keeper.Show("a.rtf");
  EXPECT_EQ(m.box.text, kRtf);
  EXPECT_FALSE(m.box.modified);
  m.keeper.Save(true);
  EXPECT_EQ(m.files.files["a.rtf"], kRtf);
  m.box.text = "{\\rtf1 changed}";
  m.box.modified = true;
  m.keeper.Save(false);
  EXPECT_EQ(m.files.files["a.rtf"], kRtf) << "no picture shown: kept as it is";
  m.box.modified = true;
  m.keeper.Save(true);
  EXPECT_EQ(m.files.files["a.rtf"], "{\\rtf1 changed}");
  EXPECT_FALSE(m.box.modified);
  // Emptied: the file goes.
  m.box.text.clear();
  m.box.modified = true;
  m.keeper.Save(true);
  EXPECT_FALSE(m.files.files.count("a.rtf"));
  m.keeper.Show("none.rtf");
  EXPECT_EQ(m.box.text, "");
  EXPECT_TRUE(m.files.warnings.empty());
}

TEST(MemoKeeper, ADamagedMemoIsReadOnlyToldOnceAndNeverReplaced) {
  Memo m;
  m.files.files["bad.rtf"] = "plain text";
  m.files.unreadable.insert("gone.rtf");
  m.keeper.Show("bad.rtf");
  EXPECT_TRUE(m.box.readOnly);
  EXPECT_EQ(m.box.text, "");
  ASSERT_EQ(m.files.warnings.size(), 1u);
  const std::string plain = "plain text";
  const std::string why = CheckMemoFile(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()).reason;
  EXPECT_EQ(m.files.warnings[0], MemoUnreadableText("bad.rtf", why));
  m.keeper.Save(true);
  EXPECT_EQ(m.files.files["bad.rtf"], "plain text");
  m.keeper.Show("bad.rtf");
  EXPECT_EQ(m.files.warnings.size(), 1u) << "told once a run";
  m.keeper.Show("gone.rtf");
  ASSERT_EQ(m.files.warnings.size(), 2u);
  EXPECT_NE(m.files.warnings[1].find("it cannot be opened or read"), std::string::npos);
  m.files.files["good.rtf"] = kRtf;
  m.box.refuses = true;
  m.keeper.Show("good.rtf");
  EXPECT_TRUE(m.box.readOnly);
  EXPECT_NE(m.files.warnings.back().find("the memo box refused it"), std::string::npos);
  m.box.refuses = false;
  m.keeper.Show("good.rtf");
  EXPECT_FALSE(m.box.readOnly) << "a sound memo is editable again";
}

TEST(MemoKeeper, AFailedWriteIsHeldShownAgainAndWrittenLater) {
  Memo m;
  m.files.unwritable.insert("a.rtf");
  m.keeper.Show("a.rtf");
  m.box.text = kRtf;
  m.box.modified = true;
  m.keeper.Save(true);
  ASSERT_EQ(m.files.warnings.size(), 1u);
  EXPECT_EQ(m.files.warnings[0], MemoNotSavedText("a.rtf", "Cannot write file a.rtf (disk full)"));
  EXPECT_TRUE(m.box.modified) << "still to be saved";
  m.keeper.Show("b.rtf");
  EXPECT_EQ(m.box.text, "");
  m.keeper.Show("a.rtf");
  EXPECT_EQ(m.box.text, kRtf) << "the held edit, not the file";
  EXPECT_TRUE(m.box.modified);
  m.keeper.Show("b.rtf");
  m.files.unwritable.clear();
  m.keeper.Save(true);  // b's save tries a's memo again
  EXPECT_EQ(m.files.files["a.rtf"], kRtf);
  EXPECT_EQ(m.files.warnings.size(), 1u);
  m.box.givesNothing = true;
  m.box.modified = true;
  m.box.text = "x";
  m.keeper.Save(true);
  EXPECT_EQ(m.files.warnings.back(),
            MemoNotSavedText("b.rtf", "The memo's text could not be taken from the memo box."));
}

}  // namespace
}  // namespace flk
