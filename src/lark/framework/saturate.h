#pragma once
// Narrowing integer conversions that saturate: a value past the target's
// range becomes its nearest end instead of wrapping. Layout and paint code
// adds coordinates in 64 bits and comes back to Qt's int through these.
//
// Example:
//     const int x = SaturatingInt(std::int64_t(left) + width);   // INT_MAX at most

#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

namespace lark {

// Value clamped to the range of To.
template <std::integral To, std::integral From>
constexpr To SaturateCast(From value) noexcept
{
    using Limits = std::numeric_limits<To>;
    if (std::cmp_less(value, Limits::min()))
        return Limits::min();
    if (std::cmp_greater(value, Limits::max()))
        return Limits::max();
    return static_cast<To>(value);
}

constexpr int SaturatingInt(std::int64_t value) noexcept
{
    return SaturateCast<int>(value);
}

} // namespace lark
