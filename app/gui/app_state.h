// What the program keeps while it runs: the folders, the settings, the birth record,
// the chart record and the engine's scratch state. One object, owned by main() and
// handed by reference to the windows that read or write it.
#pragma once

#include "common/program_folders.h"
#include "common/settings.h"
#include "astro/angles.h"
#include "astro/chart_record.h"
#include "astro/pluto.h"
#include "input/birth_data_entry.h"
#include "input/birth_record.h"

namespace korv::gui {

struct AppState {
    ProgramFolders folders = ProgramFolders::fromWorkingDirectory();
    Settings settings;
    TInData BirthRecord;
    ChartRecord chart;
    EngineState engine;
    PlutoTable pluto{folders.SysDir / "pluto.sys"};
    BirthEntryFlags flags;    // DataConfirmed, PlaceChosen
};

}  // namespace korv::gui
