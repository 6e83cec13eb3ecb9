// Korvinaut 7, the desktop program. Started with its program folder as the working
// directory (the launcher `korvinaut` prepares the user's folder and starts it there);
// every file is found relative to it.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "app/gui/about_form.h"
#include "app/gui/add_city_form.h"
#include "app/gui/app_state.h"
#include "app/gui/birth_data_form.h"
#include "app/gui/main_window.h"
#include "app/gui/place_form.h"
#include "app/gui/problem_form.h"
#include "app/gui/report_viewer.h"
#include "app/gui/screenshots.h"
#include "chart/qt/fonts.h"

namespace {

const char* kUsage =
    "Usage: korvinaut [--help | --version]\n"
    "Korvinaut 7: computes a natal horoscope and writes its interpretation in Russian.\n"
    "Start it through the launcher `korvinaut`, which prepares your program folder\n"
    "(~/.local/share/korvinaut), or from a program folder (System/, Images/, Output/).\n"
    "The command-line tool is korvinaut-cli (korvinaut-cli --help).\n";

// Without a display Qt aborts with a long message; say it in one line instead.
bool hasDisplay() {
#if defined(__linux__) || defined(__FreeBSD__)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* v = std::getenv(name); v && *v) return true;
    return false;
#else
    return true;
#endif
}

// Qt's own dialogs (print, file, message-box buttons, context menus) in Russian, from
// Qt's translations (Debian's qt6-translations-l10n); missing files leave them in English.
void installQtTranslations(QApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogue : {"qtbase", "qtwebengine"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), catalogue, "_", folder))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("korvinaut (Korvinaut 7) %s\n", KORVINAUT_VERSION);
            return 0;
        }
    }
    if (!hasDisplay()) {
        std::fputs("korvinaut: no display to open the window on (DISPLAY is not set): start it in a desktop "
                   "session, or under xvfb-run\n",
                   stderr);
        return 1;
    }
#ifndef _WIN32
    // Qt WebEngine refuses to start as root unless its sandbox is off.
    if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvinaut 7");
    // Started from elsewhere than its program folder (not through the launcher): the
    // folder of KORVINAUT_DIR, or the one the program itself lies in, when it is one.
    if (!std::filesystem::is_directory("System")) {
        const char* prepared = std::getenv("KORVINAUT_DIR");
        const std::filesystem::path beside = QCoreApplication::applicationDirPath().toStdString();
        if (prepared && std::filesystem::is_directory(std::filesystem::path(prepared) / "System"))
            std::filesystem::current_path(prepared);
        else if (std::filesystem::is_directory(beside / "System"))
            std::filesystem::current_path(beside);
    }
    QApplication::setWindowIcon(QIcon(":/korvinaut.png"));
    installQtTranslations(app);
    // Numbers are always written with "."; the core does its own conversions regardless.
    QLocale::setDefault(QLocale::c());
    korv::InstallTextFontSubstitutes();

    using namespace korv::gui;
    AppState state;
    // The forms, created once in this order; the main window first.
    TZKorvinautForm mainWindow(state);
    TInput1hForm input(state, &mainWindow);
    TInput2hForm place(state, &mainWindow);
    TInput3hForm addCity(state, &place);
    TAbout_Form about(state.folders.MainDir, &mainWindow);
    TForm2 viewer(&mainWindow);
    TProblemForm problems(state.folders.MainDir, state.folders.SysDir, &mainWindow);
    input.setPlaceForm(&place);
    place.setAddCityForm(&addCity);
    mainWindow.setForms(&input, &about, &viewer, &problems);

    const QStringList args = QApplication::arguments();
    const int screenshots = args.indexOf("--screenshots");
    if (screenshots > 0 && screenshots + 1 < args.size())
        StartScreenshots(state, {mainWindow, input, place, addCity, about, viewer, problems}, args[screenshots + 1]);
    else
        mainWindow.show();
    return app.exec();
}
