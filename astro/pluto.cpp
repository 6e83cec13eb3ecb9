// Pluto: the table System/pluto.sys for 1900-2100, its approximate Keplerian orbit
// elsewhere. Moment in days since JD 2415020.0 (UT); longitudes geocentric, ecliptic,
// mean equinox of date, degrees.
#include "astro/pluto.h"

#include <cmath>
#include <string>
#include <system_error>
#include <utility>

#include "astro/bodies.h"
#include "common/error.h"
#include "common/text.h"

namespace korv {

namespace fs = std::filesystem;

PlutoTable::PlutoTable(fs::path file, std::size_t minimumLines)
    : path_(std::move(file)), minimumLines_(minimumLines) {}

std::optional<int> PlutoTable::lineValue(long long n) const {
    if (!loaded_) throw Error("The Pluto table " + displayPath(path_) + " has not been read");
    if (n < 1 || n > static_cast<long long>(values_.size())) return std::nullopt;
    return values_[static_cast<std::size_t>(n - 1)];
}

void PlutoTable::refresh() {
    // Two queries of the file system: its size and its modification time.
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path_, ec);
    const fs::file_time_type modified = ec ? fs::file_time_type{} : fs::last_write_time(path_, ec);
    if (ec) {
        loaded_ = false;
        throwFileError(fs::exists(path_) ? "Read error" : "File not found", path_);
    }
    if (loaded_ && size == size_ && modified == modified_) return;

    // Each line starts with a whole degree (blanks before it allowed); the rest of the
    // line is ignored. Lines end with CR LF or LF; blank lines at the end are ignored.
    loaded_ = false;
    const std::string bytes = readFileBytes(path_);
    std::vector<int> values;
    values.reserve(bytes.size() / 4);
    std::size_t blankLine = 0;  // number of the first blank line seen, while only blank lines follow it
    auto damaged = [&](std::size_t lineNo, const std::string& what) {
        throw Error(displayPath(path_) + ", line " + std::to_string(lineNo) + ": " + what +
                    "; the Pluto table is damaged (reinstall the program or regenerate it with tools/make_pluto_table.py)");
    };
    std::size_t start = 0;
    for (std::size_t lineNo = 1; start < bytes.size(); ++lineNo) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::size_t pos = line.find_first_not_of(" \t");
        if (pos == std::string_view::npos) {
            if (blankLine == 0) blankLine = lineNo;
            continue;
        }
        if (blankLine != 0) damaged(blankLine, "an empty line inside the table");
        const bool negative = line[pos] == '-';
        if (line[pos] == '+' || line[pos] == '-') ++pos;
        std::size_t stop = pos;
        while (stop < line.size() && line[stop] >= '0' && line[stop] <= '9') ++stop;
        if (stop == pos || stop - pos > 9)
            damaged(lineNo, "'" + cp1251ToUtf8(line) + "' does not begin with a valid integer value");
        int value = 0;
        for (std::size_t i = pos; i < stop; ++i) value = value * 10 + (line[i] - '0');
        if (negative || value > 359) damaged(lineNo, std::string(negative ? "-" : "") + std::to_string(value) +
                                                         " is not a longitude in whole degrees 0..359");
        if (!values.empty()) {
            // Pluto moves a few hundredths of a degree a day: whole degrees of two
            // neighbouring days differ by one at most (359 -> 0 included).
            const int step = (value - values.back() + 360) % 360;
            if (step > 1 && step < 359)
                damaged(lineNo, std::to_string(value) + " follows " + std::to_string(values.back()) +
                                    ", a jump of more than one degree in a day");
        }
        values.push_back(value);
    }
    if (values.size() < minimumLines_)
        throw Error(displayPath(path_) + ": " + std::to_string(values.size()) + " lines, fewer than the " +
                    std::to_string(minimumLines_) +
                    " of the table; the Pluto table is cut short (reinstall the program or regenerate it with "
                    "tools/make_pluto_table.py)");
    values_ = std::move(values);
    size_ = size;
    modified_ = modified;
    loaded_ = true;
}

namespace {

constexpr double kRad = kPi / 180.0;
constexpr double kArcsec = kRad / 3600.0;

// Pluto's heliocentric rectangular coordinates in AU, mean ecliptic and equinox of date.
// Its approximate Keplerian elements with secular rates (mean ecliptic and equinox of
// J2000, fitted for 3000 BC - AD 3000, with the extra mean-anomaly term b T^2), then
// the rigorous ecliptic precession from J2000 to the date (IAU 1976 angles). The
// moment is UT and taken as the dynamical time: Delta T (up to seven hours at the year
// -999) and the light time (about five hours) move Pluto by far less than the fit's own
// error.
void plutoHeliocentricOfDate(double moment, double& x, double& y, double& z) {
    const double t = (moment - 36525.0) / 36525.0;  // Julian centuries from J2000.0
    const double a = 39.48686035 + 0.00449751 * t;
    const double e = 0.24885238 + 0.00006016 * t;
    const double incl = (17.14104260 + 0.00000501 * t) * kRad;
    const double meanLongitude = 238.96535011 + 145.18042903 * t;
    const double perihelion = 224.09702598 - 0.00968827 * t;
    const double node = (110.30167986 - 0.00809981 * t) * kRad;
    const double argPerihelion = perihelion * kRad - node;

    double M = std::remainder(meanLongitude - perihelion - 0.01262724 * t * t, 360.0) * kRad;
    // Kepler's equation by Newton's method from E = M + e sin M.
    double E = M + e * std::sin(M);
    for (int i = 0; i < 30; ++i) {
        const double dE = (E - e * std::sin(E) - M) / (1.0 - e * std::cos(E));
        E -= dE;
        if (std::fabs(dE) < 1e-14) break;
    }
    const double xo = a * (std::cos(E) - e);
    const double yo = a * std::sqrt(1.0 - e * e) * std::sin(E);

    const double cw = std::cos(argPerihelion), sw = std::sin(argPerihelion);
    const double cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(incl), si = std::sin(incl);
    const double x0 = (cw * cn - sw * sn * ci) * xo + (-sw * cn - cw * sn * ci) * yo;
    const double y0 = (cw * sn + sw * cn * ci) * xo + (-sw * sn + cw * cn * ci) * yo;
    const double z0 = sw * si * xo + cw * si * yo;

    // Ecliptic J2000 -> ecliptic of date: turn to the node of the two ecliptics (Pi),
    // tilt by eta, turn back by Pi plus the general precession p.
    const double eta = (47.0029 * t - 0.03302 * t * t + 0.000060 * t * t * t) * kArcsec;
    const double Pi = 174.876384 * kRad + (-869.8089 * t + 0.03536 * t * t) * kArcsec;
    const double p = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * kArcsec;
    const double u = x0 * std::cos(Pi) + y0 * std::sin(Pi);
    const double v = -x0 * std::sin(Pi) + y0 * std::cos(Pi);
    const double v1 = std::cos(eta) * v + std::sin(eta) * z0;
    const double w1 = -std::sin(eta) * v + std::cos(eta) * z0;
    const double back = Pi + p;
    x = u * std::cos(back) - v1 * std::sin(back);
    y = u * std::sin(back) + v1 * std::cos(back);
    z = w1;
}

// Outside the table: the heliocentric position turned into the engine's equatorial
// frame (the fixed obliquity of the conversion), made geocentric with the Sun vector
// that SunPosition leaves for this moment, and converted back to the ecliptic.
double plutoLongitudeFromElements(double moment, EngineState& state) {
    EnsureSunVector(moment, state);
    double x, y, z;
    plutoHeliocentricOfDate(moment, x, y, z);
    constexpr double kCosEps = 0.917408;
    constexpr double kSinEps = 0.397949;
    const double X = x;
    const double Y = y * kCosEps - z * kSinEps;
    const double Z = y * kSinEps + z * kCosEps;
    double longitude, latitude;
    EclipticFromEquatorial(ConversionMode::Planet, X, Y, Z, state, longitude, latitude);
    return NormalizeDegrees(longitude);
}

}  // namespace

void PlutoPosition(double moment, ChartPoint& point, EngineState& state, const PlutoTable& table) {
    const double n = std::trunc(moment);
    // Moments far outside any table (beyond +-2^62 days) need no line number.
    const std::optional<int> value =
        std::fabs(n) < 4.0e18 ? table.lineValue(static_cast<long long>(n)) : std::nullopt;
    if (value) {
        point.longitude = NormalizeDegrees(*value + 0.0045);
    } else {
        point.longitude = plutoLongitudeFromElements(moment, state);
    }
    point.declination = 0;
    point.latitude = 0;
    point.rightAscension = 0;
    state = EngineState{};
}

}  // namespace korv
