#pragma once

#include "platform/control_ids.hpp"
#include "platform/win32/handles.hpp"

namespace nocturo::win32 {

// The program's colours (0x00BBGGRR, or 0x8000000n for system colour n) as
// the screen shows them now.
COLORREF ToColorRef(Colour colour);

// A brush of the colour: the system's own for a system colour (not to be
// deleted), otherwise a new one handed to owned.
HBRUSH BrushFor(Colour colour, UniqueBrush& owned);

}  // namespace nocturo::win32
