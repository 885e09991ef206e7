#include "designer/ShiftState.h"

ShiftState shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    ShiftState state;
    state.setFlag(ssShift, modifiers & Qt::ShiftModifier);
    state.setFlag(ssAlt, modifiers & Qt::AltModifier);
    state.setFlag(ssCtrl, modifiers & Qt::ControlModifier);
    state.setFlag(ssLeft, buttons & Qt::LeftButton);
    state.setFlag(ssRight, buttons & Qt::RightButton);
    state.setFlag(ssMiddle, buttons & Qt::MiddleButton);
    return state;
}
