#pragma once
// TShiftState: the modifier keys and mouse buttons held during an input
// event, as the engine's keyboard and mouse handling receives them.
//
// Example:
//     const TShiftState shift = ShiftStateOf(keyEvent->modifiers());
//     if (shift == TShiftState{ssShift}) ...   // Shift alone

#include <lark/framework/flag_set.h>

#include <Qt>

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
using TShiftState = TFlagSet<TShiftStateFlag, 8>;

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
