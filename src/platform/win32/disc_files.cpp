#include "platform/disc_files.h"

#include <windows.h>

#include <algorithm>

namespace tavlin {

namespace {

// ANSI names throughout, as the menu program itself hands them to Windows.
class Win32Disc final : public DiscFiles {
 public:
  explicit Win32Disc(std::string root) : root_(std::move(root)) {}

  std::optional<std::vector<DiscEntry>> List(const std::string& folder) override {
    WIN32_FIND_DATAA fd;
    std::string pattern = Full(folder);
    if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    HANDLE h = FindFirstFileA((pattern + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<DiscEntry> out;
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      out.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                     (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
  }

  std::optional<std::string> Read(const std::string& rel, std::size_t limit) override {
    HANDLE h = CreateFileA(Full(rel).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    if (GetFileType(h) != FILE_TYPE_DISK) {  // a device name (con, aux) or a pipe: no file to read
      CloseHandle(h);
      return std::nullopt;
    }
    std::string out;
    char buffer[65536];
    bool failed = false;
    while (out.size() < limit) {
      DWORD n = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, limit - out.size()));
      if (!ReadFile(h, buffer, want, &n, nullptr)) failed = true;
      if (failed || n == 0) break;
      out.append(buffer, n);
    }
    CloseHandle(h);
    if (failed) return std::nullopt;
    return out;
  }

  std::optional<unsigned long long> Size(const std::string& rel) override {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(Full(rel).c_str(), GetFileExInfoStandard, &a)) return std::nullopt;
    return (static_cast<unsigned long long>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
  }

 private:
  std::string Full(const std::string& rel) const {
    std::string p = root_;
    // "D:\\" and "D:\\disc\\" already end in a separator.
    if (!rel.empty()) p += (p.back() == '\\' || p.back() == '/' ? "" : "\\") + rel;
    for (char& c : p)
      if (c == '/') c = '\\';
    return p;
  }
  std::string root_;
};

}  // namespace

std::unique_ptr<DiscFiles> OpenDiscFolder(const std::string& root) {
  const DWORD a = GetFileAttributesA(root.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  return std::make_unique<Win32Disc>(root);
}

}  // namespace tavlin
