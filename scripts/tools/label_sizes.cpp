// label_sizes: for each line "CODEPAGE LABEL HEX" on standard input (LABEL a
// label of Form1, HEX its caption's bytes), prints "WIDTH HEIGHT APPROXIMATE"
// as the editor sizes that label in its font, or "none". For
// scripts/label-metrics.
#include <iostream>
#include <sstream>
#include <string>

#include "editor/label_size.h"
#include "mainwindow/form1.h"

int main() {
  const tavlin::FormDesign& form = tavlin::Form1Design();
  for (std::string line; std::getline(std::cin, line);) {
    std::istringstream in(line);
    int codePage = 0;
    std::string label, hex, bytes;
    in >> codePage >> label >> hex;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
      bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    const auto index = form.IndexOf(label);
    const auto size =
        index ? tavlin::LabelSizeOf(form.controls[*index].font.value_or(form.font), bytes, codePage) : std::nullopt;
    if (size) std::cout << size->width << ' ' << size->height << ' ' << size->approximate << std::endl;
    else
      std::cout << "none" << std::endl;
  }
}
