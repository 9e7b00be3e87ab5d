#include "check/menu_check.h"

#include <algorithm>

#include "base/code_page.h"
#include "check/findings.h"
#include "menu/words.h"

namespace tavlin {

CheckReport CheckDisc(DiscFiles& files, int codePage) {
  CheckReport r;
  r.codePage = CodePage::Get(codePage) ? codePage : 1252;
  DiscIndex disc(files);
  Findings out(r);
  CheckMenuFile(disc, out);
  CheckRootFiles(disc, out);
  // tavlin.ini first, by line; the other files after it in the order checked.
  std::stable_sort(r.findings.begin(), r.findings.end(), [](const Finding& a, const Finding& b) {
    auto rank = [](const Finding& f) { return f.file == kMenuDefinitionFile ? 0 : 1; };
    return rank(a) != rank(b) ? rank(a) < rank(b) : (rank(a) == 0 && a.line < b.line);
  });
  return r;
}

}  // namespace tavlin
