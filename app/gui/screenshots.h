// `korvinaut --screenshots DIR`: shows every window with the example chart and report
// and saves a PNG of each into DIR, then quits. Run under a real display (Xvfb):
// the report viewer's page is drawn by the browser engine.
#pragma once

#include <QString>

#include "app/gui/app_state.h"

namespace korv::gui {

class TZKorvinautForm;
class TInput1hForm;
class TInput2hForm;
class TInput3hForm;
class TAbout_Form;
class TForm2;
class TProblemForm;

struct Forms {
    TZKorvinautForm& main;
    TInput1hForm& input;
    TInput2hForm& place;
    TInput3hForm& addCity;
    TAbout_Form& about;
    TForm2& viewer;
    TProblemForm& problems;
};

// Starts the sequence on the running event loop; the application quits at its end with
// exit code 0, or 1 when a window could not be shown.
void StartScreenshots(AppState& state, Forms forms, const QString& folder);

}  // namespace korv::gui
