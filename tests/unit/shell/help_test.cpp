#include "shell/help.h"

#include "shell/common_services.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace flk {
namespace {

std::optional<std::string> ReadSource(const std::string& relative) {
  std::ifstream in(std::string(FLK_SOURCE_DIR) + "/" + relative, std::ios::binary);
  // Under Wine the host's folders are on drive Z:.
  if (!in) in.open(std::string("Z:") + FLK_SOURCE_DIR + "/" + relative, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Help, EveryContextTheProgramPassesHasItsOwnPage) {
  std::set<std::string> pages;
  for (int context : {1, 2, 3, 4, 5, 6, 21, 22}) {
    const HelpFile& f = HelpPageForContext(context);
    EXPECT_EQ(f.context, context);
    EXPECT_TRUE(pages.insert(f.name).second) << f.name << " answers two contexts";
  }
  EXPECT_STREQ(HelpPageForContext(0).name, "index.html");
  EXPECT_STREQ(HelpPageForContext(7).name, "index.html");
  EXPECT_STREQ(HelpPageForContext(-1).name, "index.html");
  EXPECT_STREQ(HelpFiles().front().name, "index.html");
}

TEST(Help, FolderWriteDecisionAndMessage) {
  EXPECT_EQ(HelpFolder("C:\\Users\\ann\\AppData\\Local", "C:\\Temp\\"),
            "C:\\Users\\ann\\AppData\\Local\\Hollowbrook\\Framelark\\Help\\");
  EXPECT_EQ(HelpFolder("", "C:\\Temp\\"), "C:\\Temp\\Hollowbrook\\Framelark\\Help\\");
  EXPECT_TRUE(HelpFileNeedsWrite(std::nullopt, "<p>"));
  EXPECT_TRUE(HelpFileNeedsWrite(std::string("<p>old"), "<p>"));
  EXPECT_TRUE(HelpFileNeedsWrite(std::string(""), "<p>"));
  EXPECT_FALSE(HelpFileNeedsWrite(std::string("<p>"), "<p>"));
  std::string t = HelpOpenFailedText("C:\\h\\index.html", 1155, "No application is associated.", true);
  EXPECT_EQ(t,
            "The help page could not be opened:\r\nindex.html\r\n\r\nIn the folder:\r\nC:\\h\\\r\n\r\nError # 1155, "
            "No application is associated.\r\n\r\nNo program opened the page. Show its folder, to open it from there?");
  EXPECT_EQ(HelpOpenFailedText("x", 0, "").find("Error"), std::string::npos);
  EXPECT_NE(HelpOpenFailedText("C:\\h\\", 5, "Access is denied.").find("could not be written"), std::string::npos);
  // The system's own texts come with their inserts filled.
  const std::pair<const char*, const char*> kInserts[] = {
      {"Bad EXE format for %1.\r\n", "Bad EXE format for general.html."},
      {"%1 is not a valid Win32 application.", "general.html is not a valid Win32 application."},
      {"Copied 100%% of %2 in %1!d! parts", "Copied 100% of  in general.html parts"},
      {"No inserts here.", "No inserts here."},
      {"A lone % sign %", "A lone % sign %"},
  };
  for (const auto& [raw, filled] : kInserts) EXPECT_EQ(FillSystemInserts(raw, "general.html"), filled) << raw;
}

// The program file carries each page under its table id, and the pages link
// only to each other's files and to anchors that exist.
TEST(Help, ResourceScriptAndPagesAgreeWithTheTable) {
  std::optional<std::string> rc = ReadSource("res/framelark.rc");
  ASSERT_TRUE(rc);
  std::map<std::string, std::string> pages;
  std::set<int> ids;
  for (const HelpFile& f : HelpFiles()) {
    EXPECT_TRUE(ids.insert(f.resourceId).second);
    std::string line = std::to_string(f.resourceId) + " RCDATA \"help/" + f.name + "\"";
    EXPECT_NE(rc->find(line), std::string::npos) << line;
    std::optional<std::string> text = ReadSource(std::string("res/help/") + f.name);
    ASSERT_TRUE(text) << f.name;
    pages[f.name] = *text;
  }
  const std::regex href("href=\"([^\"#]*)(#([^\"]*))?\"");
  int links = 0;
  for (const auto& [name, text] : pages) {
    if (name.ends_with(".css")) continue;
    EXPECT_NE(text.find("<title>"), std::string::npos) << name;
    EXPECT_NE(text.find("FramelarkPro"), std::string::npos) << name;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), href); it != std::sregex_iterator(); ++it) {
      std::string target = (*it)[1].str().empty() ? name : (*it)[1].str();
      ASSERT_TRUE(pages.count(target)) << name << " links to " << target;
      if ((*it)[3].matched) {
        EXPECT_NE(pages[target].find("id=\"" + (*it)[3].str() + "\""), std::string::npos)
            << name << " links to a missing anchor " << (*it)[0];
      }
      ++links;
    }
  }
  EXPECT_GT(links, 30);
}

}  // namespace
}  // namespace flk
