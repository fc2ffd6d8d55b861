#pragma once
// What a run would do, told before it happens: for every entry of a list, in list order, the name the
// file would get or the reason it would be left. Built on the engine's own decision, so prediction and
// run cannot disagree while the disk stays as it was; it reads (one listing per folder, the first bytes
// of a file for mode 1) and changes nothing.
#include "core/FileSystem.h"
#include "engine/RenameEngine.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace tavlo {

struct Prediction {
    std::wstring path;       // the entry as given
    std::wstring newName;    // the file name it would get, without its folder; empty when it would be left
    TextNumber result{}; // program catalogue: WillRename, or the reason it would be left
    TextNumber detected{}; // the content mode: the catalogue number of the format found, or 0

    bool Renames() const { return !newName.empty(); }
};

// The entries in order. An entry whose new name an earlier entry takes, or that a file on disk has, is
// left (a run never replaces a file); so is a case-only rename beside a case twin. `stop`, when set, ends
// the prediction before the next entry: the entries predicted so far come back.
std::vector<Prediction> PredictRun(const std::vector<std::wstring>& paths, Mode mode, FileSystem& fs,
                                   const RenameRules& rules, const std::atomic<bool>* stop = nullptr);

// The text of the result: the catalogue text without the ideographic space the log's lines begin with.
std::wstring ResultText(const Prediction& prediction);

} // namespace tavlo
