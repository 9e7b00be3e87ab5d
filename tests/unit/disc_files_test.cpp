// The disc folder as the checker sees it on Linux: names as spelled,
// folders told from files, reads bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/disc_files.h"

namespace tavlin {
namespace {

TEST(DiscFolder, ListsReadsAndRefusesWhatIsNotThere) {
  char tmpl[] = "/tmp/tavlin-disc-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string root = tmpl;
  ASSERT_EQ(mkdir((root + "/Docs").c_str(), 0755), 0);
  std::ofstream(root + "/Docs/Read Me.TXT") << "hello, disc";
  std::ofstream(root + "/tavlin.ini") << "1\r\n";
  // Names in UTF-8, as Linux keeps them, are listed and read as they are:
  // the checker reads the menu's bytes in its code page to meet them.
  ASSERT_EQ(mkdir((root + "/Caf\xC3\xA9 \xE2\x82\xAC").c_str(), 0755), 0);
  std::ofstream(root + "/Caf\xC3\xA9 \xE2\x82\xAC/l\xC3\xA9\x61me.txt") << "hola";
  std::ofstream(root + "/\xE4\xB8\xAD.txt") << "";
  // A pipe must not hang the reader; a link to nothing is not on the disc.
  ASSERT_EQ(mkfifo((root + "/menupic.jpg").c_str(), 0644), 0);
  ASSERT_EQ(symlink("nowhere", (root + "/dangling").c_str()), 0);

  EXPECT_EQ(OpenDiscFolder(root + "/tavlin.ini"), nullptr);
  EXPECT_EQ(OpenDiscFolder(root + "/none"), nullptr);
  auto disc = OpenDiscFolder(root);
  ASSERT_NE(disc, nullptr);
  // What each folder lists, folders marked with a slash.
  const auto listed = [&](const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : disc->List(folder).value_or(std::vector<DiscEntry>{}))
      names.push_back(e.name + (e.folder ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
  };
  EXPECT_EQ(listed(""), (std::vector<std::string>{"Caf\xC3\xA9 \xE2\x82\xAC/", "Docs/", "menupic.jpg", "tavlin.ini",
                                                  "\xE4\xB8\xAD.txt"}));
  EXPECT_EQ(listed("Caf\xC3\xA9 \xE2\x82\xAC"), std::vector<std::string>{"l\xC3\xA9\x61me.txt"});
  EXPECT_EQ(disc->Read("Caf\xC3\xA9 \xE2\x82\xAC/l\xC3\xA9\x61me.txt", 100), "hola");
  EXPECT_EQ(disc->Read("Docs/Read Me.TXT", 5), "hello");
  EXPECT_EQ(disc->Size("Docs/Read Me.TXT"), 11u);
  EXPECT_FALSE(disc->Read("Docs", 10));  // a folder is not a file
  EXPECT_FALSE(disc->Read("docs/read me.txt", 10));
  EXPECT_FALSE(disc->List("Docs/Read Me.TXT"));
  EXPECT_FALSE(disc->Read("menupic.jpg", 100));

  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
}  // namespace tavlin
