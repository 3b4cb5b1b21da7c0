// Loads the operator program's panels into a fresh user-interface model, as
// start-up does: the main window, the info and configuration panels as its
// children, then the four tab page handles into the program's globals.
#pragma once

namespace testsupport {

// False when any panel or tab page could not be obtained.
bool LoadAllPanels();

}  // namespace testsupport
