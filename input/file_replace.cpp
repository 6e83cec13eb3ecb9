#include "input/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "common/error.h"

namespace korv {
namespace {

[[noreturn]] void replaceFailed(const std::filesystem::path& target, const std::string& step, int error) {
    throw Error("Не удалось записать файл " + displayPath(target) + " (" + step + ": " + std::strerror(error) +
                "); файл остался прежним.");
}

// Removes the temporary file unless the rename has consumed it.
class TempFileGuard {
public:
    explicit TempFileGuard(std::filesystem::path path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void setDescriptor(int fd) { fd_ = fd; }
    int closeDescriptor() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }
    void release() { path_.clear(); }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

void syncFolder(const std::filesystem::path& folder) {
    // Makes the rename itself durable; a file system that cannot sync a folder is no
    // reason to report a failure, the new content is already in place.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Temporary files ".<name>.XXXXXX" of earlier replacements that never finished (the
// program was killed mid-write). A young one may belong to a replacement running now.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::filesystem::path& target) {
    const std::string prefix = "." + target.filename().string() + ".";
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() != prefix.size() + 6 || name.rfind(prefix, 0) != 0 || !e.is_regular_file(ec)) continue;
        const auto modified = e.last_write_time(ec);
        if (!ec && now - modified > std::chrono::minutes(5)) std::filesystem::remove(e.path(), ec);
    }
}

}  // namespace

void ReplaceFileContent(const std::filesystem::path& target, std::string_view content, const ReplaceHooks& hooks) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    struct stat current {};
    if (::stat(target.c_str(), &current) == 0 && (current.st_mode & 0222) == 0)
        throw Error("Файл " + displayPath(target) +
                    " защищён от записи, и программа его не меняет. Снимите защиту (права на запись), "
                    "если файл нужно изменить; файл остался прежним.");
    removeStaleTemporaries(folder, target);
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) replaceFailed(target, "временный файл не создан", errno);
    const std::filesystem::path tempFile = pattern;
    TempFileGuard guard(tempFile);
    guard.setDescriptor(fd);

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    else ::fchmod(fd, 0644);

    for (std::size_t written = 0; written < content.size();) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            replaceFailed(target, "запись", errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) replaceFailed(target, "сброс на диск", errno);
    if (guard.closeDescriptor() != 0) replaceFailed(target, "закрытие", errno);

    if (hooks.beforeRename) hooks.beforeRename(tempFile);
    if (::rename(tempFile.c_str(), target.c_str()) != 0) replaceFailed(target, "переименование", errno);
    guard.release();
    syncFolder(folder);
    if (hooks.afterRename) hooks.afterRename(target);
}

}  // namespace korv
