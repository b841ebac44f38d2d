#pragma once

namespace nocturo::linux_desktop {

// Teaches Qt's accessibility how to present the program's own widgets: the
// windows as windows, the option buttons (which manage their group without
// Qt's exclusivity) as radio buttons. Called once, before any window exists.
void InstallAccessibility();

}  // namespace nocturo::linux_desktop
