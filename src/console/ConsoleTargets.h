#pragma once
// The console command's paths made into the files it renames: a file, the files of a folder (or of
// the whole tree below it), or the files whose long names fit a pattern in the last component.
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

struct Targets {
    std::vector<std::wstring> files;     // full paths, in the order named, each once
    std::vector<std::wstring> unmatched; // the paths that named no file
};

// Relative paths are taken from the current folder. A pattern fits long names only, never the short
// 8.3 names the system's own search also tries; with `recursive` it is tried in every folder below as
// well, and a folder gives every file below it. Folders reached through a link are not entered. Hidden
// and system files and folders are passed over in folders and patterns, as the window's lists pass them
// over, unless `all`; a file named itself is taken. `stop`, when set, ends the gathering.
Targets FindTargets(const std::vector<std::wstring>& paths, bool recursive, bool all = false,
                    const std::atomic<bool>* stop = nullptr);

} // namespace tavlo
