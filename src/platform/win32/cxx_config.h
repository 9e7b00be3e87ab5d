// Included before everything in the Windows build. With assertions on, the
// library makes std::string in our own code, built without exceptions; a
// failed check then ends the process quietly instead of carrying file names
// and messages into the exe.
#pragma once

#include <bits/c++config.h>

extern "C" [[noreturn]] void TavlinFatal() noexcept;

#undef __glibcxx_assert_impl
#define __glibcxx_assert_impl(condition)           \
  if (__builtin_expect(!bool(condition), false)) { \
    __glibcxx_constexpr_assert(false);             \
    TavlinFatal();                                 \
  }
