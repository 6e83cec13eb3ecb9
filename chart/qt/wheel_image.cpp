#include "chart/qt/wheel_image.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <QGuiApplication>
#include <QPainter>
#include <QString>

#include "chart/qt/qimage_canvas.h"
#include "chart/wheel.h"
#include "common/error.h"

namespace korv {

namespace {

QString toQString(const std::filesystem::path& file) { return QString::fromStdU16String(file.u16string()); }

}  // namespace

QImage RenderChartWheel(const ChartRecord& chart, int width, int height, const QImage& background) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!background.isNull()) {
        QPainter p(&image);
        p.drawImage(0, 0, background);
    }
    QImageCanvas canvas(image);
    DrawChartWheel(canvas, width, height, chart);
    return image;
}

QImage LoadPicture(const std::filesystem::path& file) {
    QImage image;
    if (!image.load(toQString(file))) throwFileError("Cannot read the picture", file);
    return image;
}

void SaveWheelImage(const QImage& image, const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    const char* format = ext == ".bmp" ? "BMP" : ext == ".png" ? "PNG" : nullptr;
    if (!format) throwFileError("The picture must be a .bmp or .png file", file);
    if (!image.save(toQString(file), format)) throwFileError("Cannot write the picture", file);
}

OffscreenGuiApplication::OffscreenGuiApplication(const char* programName) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (a terminal as root, CI) Qt warns about the missing runtime
    // folder and makes one itself; say where it goes, quietly.
#ifndef _WIN32
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const auto runtime = std::filesystem::temp_directory_path() / ("korvinaut-runtime-" + std::to_string(getuid()));
        std::error_code ec;
        std::filesystem::create_directories(runtime, ec);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all, ec);
        if (!ec) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    }
#endif
    argv_[0] = const_cast<char*>(programName);
    argv_[1] = nullptr;
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenGuiApplication::~OffscreenGuiApplication() = default;

}  // namespace korv
