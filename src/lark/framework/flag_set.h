#pragma once
// TFlagSet: a set of the first Count values of an enum, one bit each (value v
// is bit 1 << v), as small as a byte for up to eight values.
//
// Example:
//     enum TSide { sdLeft, sdTop, sdRight, sdBottom };
//     using TSides = TFlagSet<TSide, 4>;
//     TSides sides{sdLeft, sdTop};
//     if (sides.Contains(sdTop)) ...
//     sides -= TSides{sdLeft};          // {sdTop}
//     ~sides == TSides{sdLeft, sdRight, sdBottom}
//
// Values outside 0..Count-1 belong to no set: including one changes nothing,
// and FromInt drops the bits past Count.

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace lark {

template <typename Enum, unsigned Count>
    requires std::is_enum_v<Enum> && (Count >= 1 && Count <= 32)
class TFlagSet
{
public:
    using TBits = std::conditional_t<(Count <= 8), std::uint8_t,
                                     std::conditional_t<(Count <= 16), std::uint16_t, std::uint32_t>>;
    // Every value of the set.
    static constexpr unsigned kAllBits = Count == 32 ? 0xFFFFFFFFu : (1u << Count) - 1u;

    constexpr TFlagSet() noexcept = default;
    constexpr TFlagSet(std::initializer_list<Enum> values) noexcept
    {
        for (Enum v : values)
            FBits = static_cast<TBits>(FBits | Bit(v));
    }

    constexpr bool Contains(Enum v) const noexcept { return (FBits & Bit(v)) != 0; }
    constexpr TFlagSet& Include(Enum v) noexcept
    {
        FBits = static_cast<TBits>(FBits | Bit(v));
        return *this;
    }
    constexpr TFlagSet& Exclude(Enum v) noexcept
    {
        FBits = static_cast<TBits>(FBits & ~Bit(v));
        return *this;
    }
    constexpr bool IsEmpty() const noexcept { return FBits == 0; }
    constexpr int ToInt() const noexcept { return static_cast<int>(FBits); }
    static constexpr TFlagSet FromInt(std::integral auto bits) noexcept
    {
        TFlagSet result;
        result.FBits = static_cast<TBits>(static_cast<unsigned>(bits) & kAllBits);
        return result;
    }

    friend constexpr bool operator==(TFlagSet a, TFlagSet b) noexcept = default;
    friend constexpr TFlagSet operator|(TFlagSet a, TFlagSet b) noexcept { return FromInt(a.FBits | b.FBits); }
    friend constexpr TFlagSet operator&(TFlagSet a, TFlagSet b) noexcept { return FromInt(a.FBits & b.FBits); }
    friend constexpr TFlagSet operator^(TFlagSet a, TFlagSet b) noexcept { return FromInt(a.FBits ^ b.FBits); }
    // The set difference: a without the values of b.
    friend constexpr TFlagSet operator-(TFlagSet a, TFlagSet b) noexcept { return FromInt(a.FBits & ~unsigned(b.FBits)); }
    // The complement within the Count values.
    constexpr TFlagSet operator~() const noexcept { return FromInt(~unsigned(FBits)); }
    constexpr TFlagSet& operator|=(TFlagSet b) noexcept { return *this = *this | b; }
    constexpr TFlagSet& operator&=(TFlagSet b) noexcept { return *this = *this & b; }
    constexpr TFlagSet& operator^=(TFlagSet b) noexcept { return *this = *this ^ b; }
    constexpr TFlagSet& operator-=(TFlagSet b) noexcept { return *this = *this - b; }

private:
    static constexpr unsigned Bit(Enum v) noexcept
    {
        const auto index = static_cast<unsigned>(v);
        return index < Count ? 1u << index : 0u;
    }
    TBits FBits = 0;
};

} // namespace lark
