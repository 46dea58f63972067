#pragma once
// Writing a file so that it holds either its old or its new content, never a
// mixture: the data goes to a hidden temporary file beside the target
// (".mivarelo-save-PID-N.tmp"), is flushed to disk and renamed over the target.
#include <filesystem>
#include <string>
#include <string_view>

namespace mivarelo {

// Writes `data` to `path` that way; a symbolic link is followed, so the file
// it points to is replaced. False when the file was not replaced: the old
// file is untouched, no temporary file is left, and errno tells why (EISDIR
// for a directory or any other file that is not a regular one).
bool WriteFileAtomically(const std::string& path, std::string_view data);

// Whether `name` is the name of one of the temporary files above; `pid`
// then holds the process that made it.
bool IsSaveTemporaryName(std::string_view name, long& pid);

// Removes the temporary files in `dir` whose process no longer runs (one
// that was killed or lost its power during a save) and returns how many.
// Files of running processes, this one included, are left alone.
int RemoveStaleTemporaries(const std::filesystem::path& dir);

} // namespace mivarelo
