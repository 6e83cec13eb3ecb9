// Replacing a data file's whole content safely: the new content is written to a
// temporary file in the same folder, flushed to disk, and renamed over the file, so a
// failure at any point (a full disk, a refused rename, a crash) leaves either the old
// file or the new one whole, never a half-written file or none.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace korv {

struct ReplaceHooks {
    // Called with the complete, flushed temporary file just before it is renamed over
    // the target; tests throw from it to simulate a failure at that point.
    std::function<void(const std::filesystem::path& tempFile)> beforeRename;
    // Called once the target holds the new content (tests damage what follows).
    std::function<void(const std::filesystem::path& target)> afterRename;
};

// Writes `content` (bytes as they are) as the new content of `target`. The new file
// keeps the old one's permissions. A failure raises korv::Error naming the file; the
// temporary file is removed and the target keeps its old content. A target that is
// write-protected (no write permission for anyone) is refused, not replaced. Temporary
// files of this naming that a killed run left behind (older than five minutes) are
// removed first.
void ReplaceFileContent(const std::filesystem::path& target, std::string_view content,
                        const ReplaceHooks& hooks = {});

}  // namespace korv
