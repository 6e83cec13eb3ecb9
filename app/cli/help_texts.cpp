#include "app/cli/help_texts.h"

#include <map>

namespace korv::cli {

namespace {

#define BIRTH_OPTIONS                                                                                    \
    "Birth data:\n"                                                                                      \
    "  --name TEXT            person's name (up to 40 characters)\n"                                     \
    "  --sex M|F              man or woman (default M)\n"                                                \
    "  --date DD.MM.YYYY      local birth date; years -999..3000 (-1 is 1 BC)\n"                         \
    "  --time HH:MM[:SS]      local clock time\n"                                                        \
    "  --zone HOURS           standard time zone, hours east of Greenwich (Moscow 3, New York -5)\n"     \
    "  --summer               summer (daylight-saving) time was in force\n"                              \
    "  --no-summer            it was not (for an atlas place whose history says otherwise)\n"           \
    "  --coords TEXT          coordinate text as stored in the birth record (19 characters)\n"           \
    "  --lat DEG --lon DEG    or decimal degrees, north and east positive\n"                             \
    "  --city TEXT            place name to record (up to 25 characters)\n"                              \
    "  --line TEXT            or a whole 123-column birth line\n"                                        \
    "  --region R --country C --city N   or the place from the atlas (see `places`):\n"                  \
    "                         coordinates, and the zone and summer time at the birth moment\n"          \
    "                         from the city's zone history (--zone replaces both, --summer or\n"        \
    "                         --no-summer the summer time)\n"

#define DIR_OPTION                                                                                       \
    "  --dir PROGRAM_FOLDER   the program folder (System/, Images/, Output/); default: the folder\n"     \
    "                         the launcher prepared (KORVINAUT_DIR), else the working directory\n"

const std::map<std::string, const char*> kHelp = {
    {"convert",
     "Usage: korvinaut-cli convert BIRTH DATA [--json]\n"
     "Builds the birth record and prints every field and the moment (days since\n"
     "JD 2415020.0, universal time). The place may be left out.\n\n" BIRTH_OPTIONS
     "  --json                 print JSON\n" DIR_OPTION},
    {"places",
     "Usage: korvinaut-cli places [--region R [--country C]] [--dir DIR]\n"
     "Without options the seven atlas regions; with --region R the countries of that\n"
     "region; with --country C too the cities of that country, sorted as the window sorts them.\n\n" DIR_OPTION},
    {"add-city",
     "Usage: korvinaut-cli add-city --region R --country C --name N --lat DD MM N|S --lon DDD MM E|W\n"
     "Adds a city to the atlas under the country line C of region R, as the window's\n"
     "\"Добавить город\" does: degrees and minutes, then the hemisphere.\n\n" DIR_OPTION},
    {"chart",
     "Usage: korvinaut-cli chart BIRTH DATA [--json]\n"
     "Computes the chart: bodies with sign, degree and daily motion, house cusps,\n"
     "aspects and the house of each body. The place is required.\n\n" BIRTH_OPTIONS
     "  --json                 print JSON\n" DIR_OPTION},
    {"report",
     "Usage: korvinaut-cli report BIRTH DATA | --example\n"
     "Computes the chart, draws the wheel and writes the horoscope into the program\n"
     "folder's Output: horoscop.html with its pictures, packed into Horoscop.zip. Prints\n"
     "the paths of the report and the archive; problems found in the library are\n"
     "printed as warnings and the report is written all the same.\n\n"
     "  --example              a built-in person (a woman born in Moscow, 17.05.1990 14:30)\n" BIRTH_OPTIONS
         DIR_OPTION},
    {"batch",
     "Usage: korvinaut-cli batch FILE --out DIR [--jobs N]\n"
     "One report for every row of the CSV table FILE (docs/batch.md: name, sex, date,\n"
     "time, and an atlas place or zone and coordinates), each into a folder of its own\n"
     "under DIR named by row number and name. Bad rows are reported and skipped; the\n"
     "exit code is 1 when any row failed.\n\n"
     "  --out DIR              where the reports go (created when missing)\n"
     "  --jobs N               worker threads (default: the number of processor cores)\n" DIR_OPTION},
    {"check-library",
     "Usage: korvinaut-cli check-library [SYSTEM_FOLDER]\n"
     "Checks the interpretation library (default: System of the working directory): per\n"
     "folder and file how many of the keys the report can ask for are present, then\n"
     "every format error with its file and line. Exit code 1 on errors.\n"},
    {"prepare-folder",
     "Usage: korvinaut-cli prepare-folder --from TREE --to DIR [--copy]\n"
     "Makes or updates the program folder DIR from the installed program tree TREE: the\n"
     "place files and set.dat are copied (cities you added are carried over into a new\n"
     "atlas, a changed set.dat is kept), Output/ is created, everything else is linked\n"
     "(--copy: copied). The launchers run it before every start.\n"},
    {"bench",
     "Usage: korvinaut-cli bench [--count N] [--seed S]\n"
     "Times complete chart computations for random births 1900-2100 on one thread.\n\n"
     "  --count N              charts (default 50000)\n"
     "  --seed S               seed of the random births (default 7)\n" DIR_OPTION},
    {"bench-report",
     "Usage: korvinaut-cli bench-report [--runs N]\n"
     "Times the example report (chart, wheel, report run, archive) N times (default 20)\n"
     "and prints the median.\n\n" DIR_OPTION},
    {"wheel",
     "Usage: korvinaut-cli wheel BIRTH DATA --out FILE.bmp|FILE.png\n"
     "Draws the chart wheel, 777 x 626 pixels, as the main window shows it.\n\n" BIRTH_OPTIONS
     "  --out FILE             the picture to write (.bmp or .png)\n" DIR_OPTION},
};

}  // namespace

const char* const kUsage =
    "Usage: korvinaut-cli COMMAND [OPTIONS]   (korvinaut-cli COMMAND --help for its options)\n"
    "\n"
    "Commands:\n"
    "  convert   Build the birth record from birth data and print every field and the moment\n"
    "  places    List the atlas regions; --region R its countries; --region R --country C its cities\n"
    "  add-city  Add a city: --region R --country C --name N --lat DD MM N|S --lon DDD MM E|W\n"
    "  chart     Compute the chart for the birth data (place required): bodies, cusps, aspects\n"
    "  report    Compute the chart, draw the wheel and write the horoscope into DIR/Output:\n"
    "            horoscop.html and Horoscop.zip (--example for a built-in person)\n"
    "  batch FILE --out DIR [--jobs N]  One report per row of a CSV file (docs/batch.md),\n"
    "            each in a folder of its own under DIR, on N threads (default: all cores)\n"
    "  check-library [DIR]  Check the interpretation library (default: System): format\n"
    "            errors and the keys present out of those the report can ask for\n"
    "  bench     Time complete chart computations: --count N (50000), --seed S\n"
    "  bench-report  Time the example report 20 times (--runs N), print the median\n"
    "  wheel     Draw the chart wheel (place required) into --out FILE.bmp|.png, 777 x 626\n"
    "\n" BIRTH_OPTIONS
    "  --json                 print JSON instead of text (convert, chart)\n" DIR_OPTION
    "\n"
    "  --help, --version\n";

const char* CommandHelp(const std::string& command) {
    const auto it = kHelp.find(command);
    return it == kHelp.end() ? nullptr : it->second;
}

}  // namespace korv::cli
