#pragma once
// The bits of one type read as another of the same size. std::bit_cast is
// missing from some standard libraries the engine is built with (the
// browser's), so the compiler's built-in is used everywhere.
#include <type_traits>

namespace vantrelle {

template <class To, class From>
requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
         std::is_trivially_copyable_v<From>) constexpr To BitCast(const From& from) {
  return __builtin_bit_cast(To, from);
}

}  // namespace vantrelle
