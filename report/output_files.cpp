#include "report/output_files.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "common/error.h"

namespace korv {

namespace fs = std::filesystem;

void AppendFile(const fs::path& source, const fs::path& destination) {
    std::error_code ec;
    if (!fs::is_regular_file(destination, ec)) throwFileError("File not found", destination);
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in) throwFileError("File not found", source);
    std::FILE* out = std::fopen(destination.c_str(), "ab");
    if (!out) {
        std::fclose(in);
        throwFileError(std::string("Cannot open file for writing (") + std::strerror(errno) + ")", destination);
    }
    char buffer[65536];
    bool readFailed = false, writeFailed = false;
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        if (std::fwrite(buffer, 1, n, out) != n) {
            writeFailed = true;
            break;
        }
    readFailed = std::ferror(in) != 0;
    std::fclose(in);
    if (std::fclose(out) != 0) writeFailed = true;
    if (readFailed) throwFileError("Read error", source);
    if (writeFailed) throwFileError("Write error", destination);
}

void CopyFileWithDate(const fs::path& source, const fs::path& destination) {
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) throwFileError("File not found", source);
    fs::copy_file(source, destination, fs::copy_options::overwrite_existing, ec);
    if (ec) throwFileError("Cannot copy (" + ec.message() + ") to " + destination.generic_string() + " from", source);
    const auto date = fs::last_write_time(source, ec);
    if (!ec) fs::last_write_time(destination, date, ec);
    if (ec) throwFileError("Cannot set the date (" + ec.message() + ")", destination);
}

namespace {

struct Entry {
    fs::path file;
    std::string name;
    std::size_t depth;
};

// Regular files under `folder`, top level first, then deeper levels, each in path order.
std::vector<Entry> listFiles(const fs::path& folder, const std::set<fs::path>& leaveOut) {
    std::vector<Entry> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const fs::path file = it->path().lexically_normal();
        if (leaveOut.count(file)) continue;
        entries.push_back({file, file.filename().string(), static_cast<std::size_t>(it.depth())});
    }
    if (ec) throwFileError("Cannot list the folder (" + ec.message() + ")", folder);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.depth != b.depth ? a.depth < b.depth : a.file < b.file;
    });
    std::set<std::string> seen;
    std::erase_if(entries, [&](const Entry& e) { return !seen.insert(e.name).second; });
    return entries;
}

[[noreturn]] void zipError(zip_t* za, const fs::path& archive) {
    const std::string message = zip_strerror(za);
    zip_discard(za);
    throwFileError("Cannot write the archive (" + message + ")", archive);
}

// The ZIP format's empty archive: only the end-of-central-directory record.
void writeEmptyArchive(const fs::path& file) {
    static const unsigned char eocd[22] = {0x50, 0x4b, 0x05, 0x06};
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) throwFileError("Cannot write the archive", file);
    const bool ok = std::fwrite(eocd, 1, sizeof eocd, f) == sizeof eocd;
    if (std::fclose(f) != 0 || !ok) throwFileError("Cannot write the archive", file);
}

}  // namespace

void ZipOutputFolder(const fs::path& folder, const fs::path& archive) {
    const fs::path target = fs::absolute(archive).lexically_normal();
    const fs::path temp = target.string() + ".tmp";
    const std::vector<Entry> entries = listFiles(fs::absolute(folder).lexically_normal(), {target, temp});

    std::error_code ec;
    fs::remove(temp, ec);
    if (entries.empty()) {
        writeEmptyArchive(temp);
    } else {
        int error = 0;
        zip_t* za = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!za) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, error);
            const std::string message = zip_error_strerror(&ze);
            zip_error_fini(&ze);
            throwFileError("Cannot create the archive (" + message + ")", archive);
        }
        for (const Entry& e : entries) {
            zip_source_t* source = zip_source_file(za, e.file.c_str(), 0, -1);
            if (!source) zipError(za, archive);
            const zip_int64_t index = zip_file_add(za, e.name.c_str(), source, ZIP_FL_ENC_GUESS);
            if (index < 0) {
                zip_source_free(source);
                zipError(za, archive);
            }
            if (zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) < 0)
                zipError(za, archive);
        }
        if (zip_close(za) < 0) zipError(za, archive);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throwFileError("Cannot replace the archive (" + ec.message() + ")", archive);
    }
}

}  // namespace korv
