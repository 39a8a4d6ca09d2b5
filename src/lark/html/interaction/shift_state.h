#pragma once
// TShiftState: the modifier keys and mouse buttons held during an input
// event, as the engine's keyboard and mouse handling receives them.
//
// Example:
//     const TShiftState shift = ShiftStateOf(keyEvent->modifiers());
//     if (shift == TShiftState{ssShift}) ...   // Shift alone

#include <Qt>

#include <cstdint>
#include <initializer_list>

namespace lark {

enum TShiftStateFlag {
    ssShift = 0,
    ssAlt = 1,
    ssCtrl = 2,
    ssLeft = 3,
    ssRight = 4,
    ssMiddle = 5,
    ssDouble = 6,
    // The Meta (Windows, Command) key: a modifier of its own, so that a
    // combination with it never passes for one without.
    ssMeta = 7,
};

// A set of TShiftStateFlag; flag f is bit 1 << f.
class TShiftState
{
public:
    constexpr TShiftState() noexcept = default;
    constexpr TShiftState(std::initializer_list<TShiftStateFlag> flags) noexcept
    {
        for (TShiftStateFlag f : flags)
            FBits |= Bit(f);
    }

    constexpr bool Contains(TShiftStateFlag f) const noexcept { return (FBits & Bit(f)) != 0; }
    constexpr TShiftState& Include(TShiftStateFlag f) noexcept
    {
        FBits |= Bit(f);
        return *this;
    }
    constexpr TShiftState& Exclude(TShiftStateFlag f) noexcept
    {
        FBits &= static_cast<std::uint8_t>(~Bit(f));
        return *this;
    }
    constexpr bool IsEmpty() const noexcept { return FBits == 0; }
    constexpr int ToInt() const noexcept { return FBits; }
    static constexpr TShiftState FromInt(int bits) noexcept
    {
        TShiftState result;
        result.FBits = static_cast<std::uint8_t>(bits & 0xFF);
        return result;
    }

    friend constexpr bool operator==(TShiftState a, TShiftState b) noexcept = default;
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) noexcept { return FromInt(a.FBits | b.FBits); }
    friend constexpr TShiftState operator&(TShiftState a, TShiftState b) noexcept { return FromInt(a.FBits & b.FBits); }
    friend constexpr TShiftState operator-(TShiftState a, TShiftState b) noexcept { return FromInt(a.FBits & ~b.FBits); }

private:
    static constexpr std::uint8_t Bit(TShiftStateFlag f) noexcept
    {
        return static_cast<std::uint8_t>(1u << (static_cast<unsigned>(f) & 7u));
    }
    std::uint8_t FBits = 0;
};

// The shift state of a Qt input event. The keypad and group-switch
// modifiers say where a key is, not what is held, and are left out.
constexpr TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton) noexcept
{
    TShiftState state;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state.Include(ssShift);
    if (modifiers.testFlag(Qt::AltModifier))
        state.Include(ssAlt);
    if (modifiers.testFlag(Qt::ControlModifier))
        state.Include(ssCtrl);
    if (modifiers.testFlag(Qt::MetaModifier))
        state.Include(ssMeta);
    if (buttons.testFlag(Qt::LeftButton))
        state.Include(ssLeft);
    if (buttons.testFlag(Qt::RightButton))
        state.Include(ssRight);
    if (buttons.testFlag(Qt::MiddleButton))
        state.Include(ssMiddle);
    return state;
}

} // namespace lark
