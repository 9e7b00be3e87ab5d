// Windows-1252, the ANSI code page of the Western European Windows that
// menus are written for. Every byte stands for one character (the five
// bytes the code page leaves free stand for the C1 controls of the same
// number, as Windows maps them), so bytes survive a trip through text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlin {

char32_t Windows1252Char(unsigned char byte);
// nullopt for a character the code page cannot hold.
std::optional<unsigned char> Windows1252Byte(char32_t c);

std::string Windows1252ToUtf8(std::string_view bytes);
// nullopt when the text is not well-formed UTF-8 or holds a character the
// code page cannot hold.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// Text kept in UTF-8 (a Linux file name, a browser's string) as Windows
// hands it to the menu: in Windows-1252, for the authors this serves. Text
// with a letter that code page lacks stays as it is, and so never matches.
inline std::string InWindows1252OrAsIs(const std::string& name) { return Utf8ToWindows1252(name).value_or(name); }

}  // namespace tavlin
