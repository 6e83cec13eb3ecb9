// Korvinaut 7, the desktop program. Started with its program folder as the working
// directory; every file is found relative to it.
#include <QApplication>
#include <QLocale>
#include <cstdlib>
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

int main(int argc, char** argv) {
#ifndef _WIN32
    // Qt WebEngine refuses to start as root unless its sandbox is off.
    if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvinaut 7");
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
    TAbout_Form about(&mainWindow);
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
