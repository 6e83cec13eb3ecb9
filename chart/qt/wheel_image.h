// The chart wheel as a picture: drawn on a QImage through QImageCanvas and saved as
// BMP or PNG. Needs a QGuiApplication (fonts); see OffscreenGuiApplication for tools
// and tests without a display.
#pragma once

#include <filesystem>
#include <memory>

#include <QImage>

#include "astro/chart_record.h"

class QGuiApplication;

namespace korv {

// The wheel of `chart` on a width x height picture. The background, when given, is
// painted first at the top-left corner; the wheel then clears the whole picture, as it
// does over the main window's background.
QImage RenderChartWheel(const ChartRecord& chart, int width, int height, const QImage& background = QImage());

// Reads a picture (BMP, PNG); a missing or unreadable file raises korv::Error naming it.
QImage LoadPicture(const std::filesystem::path& file);

// Saves as BMP or PNG, chosen by the extension (.bmp, .png in any case); another
// extension or a failed write raises korv::Error naming the file.
void SaveWheelImage(const QImage& image, const std::filesystem::path& file);

// A QGuiApplication for a process without a window: Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise (it is set before the application is created). Only
// the program name is passed to Qt, so the caller's options stay the caller's.
class OffscreenGuiApplication {
public:
    explicit OffscreenGuiApplication(const char* programName);
    ~OffscreenGuiApplication();
    OffscreenGuiApplication(const OffscreenGuiApplication&) = delete;
    OffscreenGuiApplication& operator=(const OffscreenGuiApplication&) = delete;

private:
    int argc_ = 1;
    char* argv_[2];
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace korv
