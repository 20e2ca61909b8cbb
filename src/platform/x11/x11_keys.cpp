#include "platform/x11/x11_keys.h"
#include "platform/messages.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace kiv::x11 {

std::uint16_t VirtualKey(unsigned long KeySym) {
  if (KeySym >= XK_a && KeySym <= XK_z) return static_cast<std::uint16_t>('A' + (KeySym - XK_a));
  if (KeySym >= XK_A && KeySym <= XK_Z) return static_cast<std::uint16_t>(KeySym);
  if (KeySym >= XK_0 && KeySym <= XK_9) return static_cast<std::uint16_t>(KeySym);
  if (KeySym >= XK_KP_0 && KeySym <= XK_KP_9)
    return static_cast<std::uint16_t>(0x60 + (KeySym - XK_KP_0));  // VK_NUMPAD0..9
  if (KeySym >= XK_F1 && KeySym <= XK_F24)
    return static_cast<std::uint16_t>(VK_F1 + (KeySym - XK_F1));
  switch (KeySym) {
    case XK_BackSpace:
      return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return VK_TAB;
    case XK_Return:
    case XK_KP_Enter:
      return VK_RETURN;
    case XK_Shift_L:
    case XK_Shift_R:
      return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
      return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
      return VK_MENU;
    case XK_Escape:
      return VK_ESCAPE;
    case XK_space:
      return VK_SPACE;
    case XK_Prior:
    case XK_KP_Prior:
      return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next:
      return VK_NEXT;
    case XK_End:
    case XK_KP_End:
      return VK_END;
    case XK_Home:
    case XK_KP_Home:
      return VK_HOME;
    case XK_Left:
    case XK_KP_Left:
      return VK_LEFT;
    case XK_Up:
    case XK_KP_Up:
      return VK_UP;
    case XK_Right:
    case XK_KP_Right:
      return VK_RIGHT;
    case XK_Down:
    case XK_KP_Down:
      return VK_DOWN;
    case XK_Insert:
    case XK_KP_Insert:
      return VK_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
      return VK_DELETE;
    case XK_KP_Add:
      return VK_ADD;
    case XK_KP_Subtract:
      return VK_SUBTRACT;
    case XK_plus:
    case XK_equal:
      return 0xBB;  // the plus key of the main block
    case XK_minus:
      return 0xBD;
    default:
      return 0;
  }
}

TShiftState ModifierState(unsigned int State) {
  TShiftState s;
  if (State & ShiftMask) s.Include(ssShift);
  if (State & ControlMask) s.Include(ssCtrl);
  if (State & Mod1Mask) s.Include(ssAlt);
  return s;
}

}  // namespace kiv::x11
