// Fonts of the chart wheel: the text face and the astrological font.
// Both need a QGuiApplication (the font database belongs to it).
#pragma once

#include <filesystem>

#include <QString>

namespace korv {

// The wheel's texts ask for "Arial Cyr"; it and "Arial" are mapped to Liberation Sans
// (metric-compatible with Arial, Debian's fonts-liberation2), so the wheel looks the
// same on every machine. Safe to call more than once.
void InstallTextFontSubstitutes();

// File and face of the astrological font.
inline constexpr const char* kAstroFontFile = "Astro3.ttf";

// Makes the face "Astro v.3.0" available to this process, once at start-up: nothing to
// do when the font database already lists the face (compared exactly, case-sensitive);
// otherwise Astro3.ttf from `programFolder` is added for this process only (an empty
// folder means the bare file name, resolved against the working directory).
// Returns the message to show the user, empty on success; the caller shows it and the
// start-up goes on either way (the wheel then draws in a substitute font).
QString InstallAstroFont(const std::filesystem::path& programFolder = {});
// Its second step: adds Astro3.ttf of `programFolder` whether or not the face is listed.
QString AddAstroFontFile(const std::filesystem::path& programFolder);

// The messages InstallAstroFont returns.
QString AstroFontNotAddedMessage();
QString AstroFontErrorMessage();

}  // namespace korv
