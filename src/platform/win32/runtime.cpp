// The few pieces of the C++ runtime this program needs, without exceptions.
// Built with -fno-exceptions, the program never throws; providing these
// keeps the library's throwing versions, and with them the unwinder, the
// demangler and their tables, out of the exe. Running out of memory or a
// broken library invariant ends the process, as an uncaught throw would.
#include <windows.h>

#include <cstdlib>
#include <new>

extern "C" void TavlinFatal() noexcept {
  // FatalAppExit would show a dialog; a disc menu just goes.
  ExitProcess(3);
}

namespace {
[[noreturn]] void Fatal() { TavlinFatal(); }
}  // namespace

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  Fatal();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace std {
void __throw_bad_alloc() { Fatal(); }
void __throw_bad_array_new_length() { Fatal(); }
void __throw_length_error(const char*) { Fatal(); }
void __throw_logic_error(const char*) { Fatal(); }
void __throw_out_of_range(const char*) { Fatal(); }
void __throw_out_of_range_fmt(const char*, ...) { Fatal(); }
void __throw_invalid_argument(const char*) { Fatal(); }
void __throw_bad_optional_access() { Fatal(); }
void __throw_bad_function_call() { Fatal(); }
void __replacement_assert(const char*, int, const char*, const char*) { Fatal(); }
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept { Fatal(); }
}  // namespace std

extern "C" void __cxa_pure_virtual() { Fatal(); }
