// X keyboard and pointer state in the framework's terms: key symbols as virtual key codes and
// modifier masks as shift states.
#pragma once

#include <cstdint>

#include "platform/messages.h"

namespace kiv::x11 {

// The virtual key code of an X key symbol, 0 for keys without one.
std::uint16_t VirtualKey(unsigned long KeySym);
// ssShift, ssCtrl and ssAlt from an X modifier mask (the buttons come from the host).
TShiftState ModifierState(unsigned int State);

}  // namespace kiv::x11
