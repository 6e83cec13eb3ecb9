#include "chart/qt/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "chart/wheel.h"

namespace korv {

void InstallTextFontSubstitutes() {
    const QString liberation = QStringLiteral("Liberation Sans");
    for (const char* face : {kTextFace, "Arial"}) {
        const QString name = QString::fromLatin1(face);
        if (!QFont::substitutes(name).contains(liberation)) QFont::insertSubstitution(name, liberation);
    }
}

QString AstroFontNotAddedMessage() { return QStringLiteral(" Шрифт Astro3.ttf  не добавлен "); }

QString AstroFontErrorMessage() {
    return QStringLiteral(" Ошибка при установке астрологического шрифта Astro3.ttf ");
}

QString InstallAstroFont(const std::filesystem::path& programFolder) {
    try {
        const QString face = QString::fromLatin1(kAstroFace);
        const QStringList families = QFontDatabase::families();
        for (const QString& family : families) {
            if (family == face) return {};
        }
        return AddAstroFontFile(programFolder);
    } catch (...) {
        return AstroFontErrorMessage();
    }
}

QString AddAstroFontFile(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / kAstroFontFile;
    if (QFontDatabase::addApplicationFont(QString::fromStdU16String(file.u16string())) < 0)
        return AstroFontNotAddedMessage();
    // No font-change broadcast: an application font belongs to this process's font
    // database, and every QFont resolved from now on finds the new face.
    return {};
}

}  // namespace korv
