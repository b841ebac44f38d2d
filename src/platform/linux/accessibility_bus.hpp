#pragma once

namespace nocturo::linux_desktop {

// Qt's accessibility bridge opens the accessibility bus itself, with no time
// limit, from AT_SPI_BUS_ADDRESS, else from the launcher's answer on the
// session bus and the X root window's property. Before QApplication exists,
// each of those is asked here, with the same 3-second limit as the other
// buses, and a bus that did not answer is kept from the bridge (see
// BridgeBusAddress). Called after ProbeSessionBus.
void ProbeAccessibilityBus();

}  // namespace nocturo::linux_desktop
