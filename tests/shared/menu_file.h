// Builds tavlin.ini contents line by line, for the unit tests and the
// Windows tests alike.
#pragma once

#include <string>
#include <vector>

namespace tavlin::test {

struct MenuItem {
  std::string name, path, file, buttonCaption, information, description;
};

struct MenuFile {
  std::vector<std::string> header = std::vector<std::string>(22);  // header[0] is line 1
  std::vector<MenuItem> items;
  std::string eol = "\r\n";

  std::string& Line(int n) { return header.at(static_cast<std::size_t>(n - 1)); }

  // The example disc's menu, as in examples/disc/tavlin.ini: two items, the
  // file name field hidden.
  static MenuFile Example() {
    MenuFile f;
    f.Line(1) = "Tavlin menu";
    f.Line(2) = "2";
    f.Line(5) = "14";
    f.Line(8) = "yes";
    f.Line(11) = "Welcome to the disc";
    f.Line(14) = "Application";
    f.Line(15) = "Folder";
    f.Line(16) = "x";
    f.Line(17) = "Information";
    f.Line(18) = "Description";
    f.Line(21) = "Choose an item from the list.";
    f.items = {{"Install", "setup", "setup.exe", "Install now", "Version 1.0", "Installs the program."},
               {"Read me", "docs", "readme.txt", "Open", "Plain text", "Notes on the disc."}};
    return f;
  }

  std::string Text() const { return FirstLines(SIZE_MAX); }

  // The first `n` lines only, each with its line end.
  std::string FirstLines(std::size_t n) const {
    std::vector<std::string> lines = header;
    int k = 1;
    for (const auto& i : items) {
      lines.push_back("-- item " + std::to_string(k++));
      for (const auto* v : {&i.name, &i.path, &i.file, &i.buttonCaption, &i.information, &i.description})
        lines.push_back(*v);
      lines.push_back("");
    }
    std::string s;
    for (std::size_t i = 0; i < n && i < lines.size(); ++i) s += lines[i] + eol;
    return s;
  }
};

}  // namespace tavlin::test
