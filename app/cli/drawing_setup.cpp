#include "app/cli/drawing_setup.h"

#include <cstdio>

#include <QString>

#include "chart/qt/fonts.h"

namespace korv::cli {

void InstallDrawingFonts(const ProgramFolders& folders) {
    InstallTextFontSubstitutes();
    const QString message = InstallAstroFont(folders.MainDir);
    if (!message.isEmpty()) std::fprintf(stderr, "korvinaut-cli: %s\n", message.toUtf8().constData());
}

}  // namespace korv::cli
