#include "input/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

void ReplaceFileContent(const std::filesystem::path& target, std::string_view content, const ReplaceHooks& hooks) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
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
}

}  // namespace korv
