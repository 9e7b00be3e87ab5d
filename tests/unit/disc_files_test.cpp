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

  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
}  // namespace tavlin
