// The window library's compiled-in resources (icons). A static library's resources are
// dropped by the linker unless something refers to them, so the program and the tests call
// InitGuiResources() once before loading any ":/icons/..." file.

#pragma once

namespace zarvik::gui {

void InitGuiResources();

}  // namespace zarvik::gui
