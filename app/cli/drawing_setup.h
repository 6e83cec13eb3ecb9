// What the drawing commands (wheel, report) set up before they draw: the wheel's text
// face substitutes and the astrological font of the program folder. A missing font is
// reported on stderr and the wheel is drawn in a substitute, as the window does.
#pragma once

#include "common/program_folders.h"

namespace korv::cli {

// Needs the Qt application object (OffscreenGuiApplication) to exist.
void InstallDrawingFonts(const ProgramFolders& folders);

}  // namespace korv::cli
