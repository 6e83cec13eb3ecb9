// Entry point of the Qt tests: one QGuiApplication on the offscreen platform for the
// whole run (fonts and painting need it).
#include <gtest/gtest.h>

#include "chart/qt/wheel_image.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    korv::OffscreenGuiApplication app(argv[0]);
    return RUN_ALL_TESTS();
}
