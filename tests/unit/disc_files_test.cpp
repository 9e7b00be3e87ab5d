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

  EXPECT_EQ(OpenDiscFolder(root + "/tavlin.ini"), nullptr);
  EXPECT_EQ(OpenDiscFolder(root + "/none"), nullptr);
  auto disc = OpenDiscFolder(root);
  ASSERT_NE(disc, nullptr);

  auto top = disc->List("");
  ASSERT_TRUE(top);
  std::sort(top->begin(), top->end(), [](auto& a, auto& b) { return a.name < b.name; });
  ASSERT_EQ(top->size(), 2u);
  EXPECT_EQ((*top)[0].name, "Docs");
  EXPECT_TRUE((*top)[0].folder);
  EXPECT_EQ((*top)[1].name, "tavlin.ini");
  EXPECT_FALSE((*top)[1].folder);

  EXPECT_EQ(disc->Read("Docs/Read Me.TXT", 5), "hello");
  EXPECT_EQ(disc->Read("Docs/Read Me.TXT", 100), "hello, disc");
  EXPECT_EQ(disc->Size("Docs/Read Me.TXT"), 11u);
  EXPECT_FALSE(disc->Read("Docs", 10));  // a folder is not a file
  EXPECT_FALSE(disc->Read("docs/read me.txt", 10));
  EXPECT_FALSE(disc->List("Docs/Read Me.TXT"));

  // Names in UTF-8, as Linux keeps them, are listed in Windows-1252, as the
  // menu will meet them on Windows, and read through that spelling.
  ASSERT_EQ(mkdir((root + "/Caf\xC3\xA9 \xE2\x82\xAC").c_str(), 0755), 0);
  std::ofstream(root + "/Caf\xC3\xA9 \xE2\x82\xAC/l\xC3\xA9\x61me.txt") << "hola";
  // No code page has every letter: such a name stays as it is.
  std::ofstream(root + "/\xE4\xB8\xAD.txt") << "";
  // A pipe must not hang the reader; a link to nothing is not on the disc.
  ASSERT_EQ(mkfifo((root + "/menupic.jpg").c_str(), 0644), 0);
  ASSERT_EQ(symlink("nowhere", (root + "/dangling").c_str()), 0);

  disc = OpenDiscFolder(root);
  top = disc->List("");
  ASSERT_TRUE(top);
  std::vector<std::string> names;
  for (const auto& e : *top) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Caf\xE9 \x80", "Docs", "menupic.jpg", "tavlin.ini", "\xE4\xB8\xAD.txt"}));
  const auto inner = disc->List("Caf\xE9 \x80");
  ASSERT_TRUE(inner);
  ASSERT_EQ(inner->size(), 1u);
  EXPECT_EQ((*inner)[0].name, "l\xE9\x61me.txt");
  EXPECT_EQ(disc->Read("Caf\xE9 \x80/l\xE9\x61me.txt", 100), "hola");
  EXPECT_FALSE(disc->Read("menupic.jpg", 100));

  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
}  // namespace tavlin
