// The rename engine, the prediction and undo over the model file system: the input chooses the files
// (names from a small set that meets every rule: case twins, double extensions, full width, no
// extension), the mode and the rules, the target list, how the volume treats case-only renames, which
// steps fail, what appears or vanishes meanwhile and when the process is killed.
#include "engine/ModelScenario.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace tavlo;
using namespace tavlo::test;

const wchar_t* const kStems[] = {L"a", L"A", L"page", L"PAGE", L"x.y", L"\u30D5\u30A1\u30A4\u30EB", L"~tavlo2-1"};
const wchar_t* const kExtensions[] = {L".html", L".HTML", L".htm", L".HTM", L".jpeg", L".jpg", L".JPG",
                                      L".doc", L".DOC", L".txt", L".TXT", L".\uFF54\uFF58\uFF54", L".tar.gz",
                                      L"", L".", L".mpeg", L".tiff", L".\u3066\u304d", L".Txt.", L".ht ml"};

std::wstring AnyName(FuzzedDataProvider& in)
{
    return std::wstring(in.PickValueInArray(kStems)) + in.PickValueInArray(kExtensions);
}

std::string Narrow(const std::wstring& w)
{
    std::string out;
    for (wchar_t c : w) {
        if (c < 0x80) out += static_cast<char>(c);
        else out += "\\u" + std::to_string(static_cast<unsigned>(c));
    }
    return out;
}

// The scenario in words, for turning a finding into a unit test.
std::string Describe(Scenario& s)
{
    std::string text = s.fs.CaseSensitive(kModelFolder) ? "case-sensitive files:" : "files:";
    for (const auto& f : s.fs.Files(kModelFolder)) text += " [" + Narrow(f.name) + (f.head == "text" ? "]" : " binary]");
    text += "\nlist:";
    for (const auto& n : s.names) text += " [" + Narrow(n) + "]";
    text += "\nmode " + std::to_string(ModeNumber(s.mode)) + " dblExp " + std::to_string(s.rules.DblExp) + " hira " +
            std::to_string(s.rules.Hira) + " caseOnly " + std::to_string(static_cast<int>(s.fs.caseOnly)) + " kill " +
            std::to_string(s.fs.killAfter) + "\nrows43";
    for (bool r : s.rules.Exp43) text += r ? " 1" : " 0";
    text += " rows34";
    for (bool r : s.rules.Exp34) text += r ? " 1" : " 0";
    text += "\nfailing:";
    for (int f : s.fs.failing) text += " " + std::to_string(f);
    return text + "\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    Scenario s;
    const bool caseSensitive = in.ConsumeBool();
    s.fs.AddFolder(kModelFolder, caseSensitive);
    const int files = in.ConsumeIntegralInRange(1, 7);
    for (int i = 0; i < files; ++i) {
        const std::wstring name = AnyName(in);
        bool clash = false;
        for (const auto& f : s.fs.Files(kModelFolder))
            clash = clash || (caseSensitive ? f.name == name : SameFileName(f.name, name));
        // Text, a binary of no known kind, or the start of a PNG or a JPEG for the content mode.
        static const std::string kHeads[] = {"text", std::string("bin\0ary", 7), std::string("\x89PNG\r\n\x1A\n\0\0", 10),
                                             std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11)};
        if (!clash) s.fs.AddFile(kModelFolder, name, kHeads[in.ConsumeIntegralInRange(0, 3)]);
    }
    s.mode = *ModeOf(in.ConsumeIntegralInRange(0, kModeCount - 1));
    s.rules.DblExp = in.ConsumeBool();
    s.rules.Hira = in.ConsumeBool();
    for (bool& row : s.rules.Exp43) row = in.ConsumeBool();
    for (bool& row : s.rules.Exp34) row = in.ConsumeBool();
    const int listed = in.ConsumeIntegralInRange(1, 8);
    const auto& present = s.fs.Files(kModelFolder);
    for (int i = 0; i < listed; ++i) {
        // Mostly files that are there, in any letter case; now and then one that is not.
        if (in.ConsumeIntegralInRange(0, 5) == 0 || present.empty()) {
            s.names.push_back(AnyName(in));
        } else {
            std::wstring name = present[in.ConsumeIntegralInRange<std::size_t>(0, present.size() - 1)].name;
            if (in.ConsumeIntegralInRange(0, 3) == 0) name = FoldName(name);
            s.names.push_back(name);
        }
    }
    s.fs.caseOnly = static_cast<ModelFileSystem::CaseOnly>(in.ConsumeIntegralInRange(0, 2));
    for (int i = in.ConsumeIntegralInRange(0, 3); i > 0; --i) s.fs.failing.push_back(in.ConsumeIntegralInRange(0, 12));
    s.fs.killAfter = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 12) : -1;
    struct Change {
        int step;
        bool add;
        std::wstring name;
    };
    std::vector<Change> changes;
    for (int i = in.ConsumeIntegralInRange(0, 2); i > 0; --i)
        changes.push_back({in.ConsumeIntegralInRange(0, 12), in.ConsumeBool(), AnyName(in)});
    s.fs.meanwhile = [changes, caseSensitive](int step, ModelFileSystem& fs) {
        for (const Change& c : changes) {
            if (c.step != step) continue;
            if (!c.add) {
                fs.TakeAway(kModelFolder, c.name);
                continue;
            }
            bool clash = false;
            for (const auto& f : fs.Files(kModelFolder))
                clash = clash || (caseSensitive ? f.name == c.name : SameFileName(f.name, c.name));
            if (!clash) fs.AddFile(kModelFolder, c.name);
        }
    };

    s.fs.identitiesInOnePass = in.ConsumeBool();
    s.journalWritable = in.ConsumeIntegralInRange(0, 7) != 0;
    // Between the run and its undo: a file taken away, or one put under a name the run left.
    const bool takeAway = in.ConsumeBool();
    const std::wstring afterName = AnyName(in);
    if (in.ConsumeBool())
        s.afterRun = [takeAway, afterName](ModelFileSystem& fs) {
            if (takeAway) fs.TakeAway(kModelFolder, afterName);
            else if (!fs.StoredName(kModelFolder + L"\\" + afterName)) fs.AddFile(kModelFolder, afterName);
        };
    std::string told = Describe(s);
    for (const Change& c : changes)
        told += (c.add ? "adds [" : "takes away [") + Narrow(c.name) + "] before rename " + std::to_string(c.step) + "\n";
    if (s.afterRun) told += std::string(takeAway ? "then takes away [" : "then adds [") + Narrow(afterName) + "]\n";
    const std::string broken = CheckScenario(std::move(s));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken promise: %s\n%s", broken.c_str(), told.c_str());
        std::abort();
    }
    return 0;
}
