#include "platform/disc_files.h"

#include <windows.h>

#include <algorithm>

namespace tavlin {

namespace {

std::wstring Wide(const std::string& utf8) {
  std::wstring w(utf8.size() + 1, L'\0');
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), static_cast<int>(w.size()));
  w.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return w;
}

std::string Utf8(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return "";
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, s.data(), n, nullptr, nullptr);
  s.pop_back();  // the terminating NUL
  return s;
}

// Wide names throughout, so that the disc's names are seen as they are,
// whatever code page this machine's Windows has; the checker reads them in
// the code page of the menu's readers.
class Win32Disc final : public DiscFiles {
 public:
  explicit Win32Disc(std::string root) : root_(std::move(root)) {}

  std::optional<std::vector<DiscEntry>> List(const std::string& folder) override {
    WIN32_FIND_DATAW fd;
    std::wstring pattern = Full(folder);
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    HANDLE h = FindFirstFileW((pattern + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<DiscEntry> out;
    do {
      const std::string name = Utf8(fd.cFileName);
      if (name == "." || name == "..") continue;
      out.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                     (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
  }

  std::optional<std::string> Read(const std::string& rel, std::size_t limit) override {
    HANDLE h = CreateFileW(Full(rel).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
    if (!GetFileAttributesExW(Full(rel).c_str(), GetFileExInfoStandard, &a)) return std::nullopt;
    return (static_cast<unsigned long long>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
  }

 private:
  std::wstring Full(const std::string& rel) const {
    std::string p = root_;
    // "D:\\" and "D:\\disc\\" already end in a separator.
    if (!rel.empty()) p += (p.back() == '\\' || p.back() == '/' ? "" : "\\") + rel;
    for (char& c : p)
      if (c == '/') c = '\\';
    return Wide(p);
  }
  std::string root_;  // UTF-8
};

}  // namespace

std::unique_ptr<DiscFiles> OpenDiscFolder(const std::string& root) {
  const DWORD a = GetFileAttributesW(Wide(root).c_str());
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  return std::make_unique<Win32Disc>(root);
}

}  // namespace tavlin
