// File operations of the report run. Failures raise korv::Error naming the file.
#pragma once

#include <filesystem>

namespace korv {

// Appends the whole of `source`, byte for byte, to `destination`; both must exist.
// An empty source adds nothing.
void AppendFile(const std::filesystem::path& source, const std::filesystem::path& destination);

// Copies `source` over `destination` and gives the copy the source's modification time.
void CopyFileWithDate(const std::filesystem::path& source, const std::filesystem::path& destination);

// Packs every file under `folder` (subfolders included) into the ZIP archive `archive`:
// deflate level 9, entries named by their bare file names, top-level files first, then
// the subfolders in name order; of two files with the same name the first one counts.
// The archive itself is left out. It is written under a temporary name beside it and
// then renamed, so an earlier archive is replaced whole and never packed into the new one.
void ZipOutputFolder(const std::filesystem::path& folder, const std::filesystem::path& archive);

}  // namespace korv
