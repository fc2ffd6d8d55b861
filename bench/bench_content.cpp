// The content mode against the lower-case mode: tavlo2c content and tavlo2c lower, each over 10,000 files
// of mixed formats in one folder (every one named with an upper-case extension of another format, so both
// modes rename every file), output redirected. Then the bytes the detection reads per file, counted through
// the file-system seam over the same kinds of file. Best of three rounds.
#include "BenchConsole.h"
#include "BenchMeasure.h"
#include "BenchTargets.h"
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "core/FileSystem.h"
#include "engine/RenameEngine.h"

#include <algorithm>
#include <cstdio>

namespace {

using bench::Seconds;
using tavlo::test::TempDir;

constexpr int kFiles = 10000;

std::string Le32(std::uint32_t v) { return {char(v & 0xFF), char(v >> 8 & 0xFF), char(v >> 16 & 0xFF), char(v >> 24)}; }

// Small files of the common kinds, each with the wrong extension in upper case.
std::vector<std::pair<std::string, std::wstring>> Kinds()
{
    const std::string zipEntry = "PK\x03\x04" + std::string(22, '\0') + "\x13\0\0\0[Content_Types].xml";
    const std::string zip = zipEntry + "PK\x01\x02" + std::string(24, '\0') + "\x13\0" + std::string(12, '\0') +
                            Le32(0) + "[Content_Types].xml" + "PK\x05\x06" + std::string(6, '\0') + "\x01\0" +
                            Le32(65) + Le32(static_cast<std::uint32_t>(zipEntry.size())) + std::string(2, '\0');
    return {
        {"\x89PNG\r\n\x1A\n" + std::string(2000, '\x11'), L".JPG"},
        {"\xFF\xD8\xFF\xE0\0\x10JFIF" + std::string(3000, '\x22'), L".PNG"},
        {"%PDF-1.4\n" + std::string(1000, '\x01'), L".DOC"},
        {zip, L".PNG"},
        {std::string("\0\0\0\x18" "ftypisom\0\0\0\0isommp41", 24) + std::string(4000, '\x05'), L".MOV"},
        {"GIF89a" + std::string(500, '\x03'), L".BMP"},
        {std::string("SQLite format 3\0", 16) + std::string(4096, '\0'), L".ZIP"},
        {"plain text, left as it is\r\n", L".TXT"},
    };
}

void Fill(const std::wstring& folder)
{
    const auto kinds = Kinds();
    for (int i = 0; i < kFiles; ++i) {
        const auto& [bytes, ext] = kinds[static_cast<std::size_t>(i) % kinds.size()];
        wchar_t name[32];
        swprintf(name, 32, L"f%05d", i);
        TempDir::WriteBytes(folder + L"\\" + name + ext, bytes);
    }
}


// The files whose extension is no longer the one they were written with.
std::size_t Renamed(const std::wstring& folder)
{
    const auto kinds = Kinds();
    std::size_t n = 0;
    for (const std::wstring& name : TempDir::ListNames(folder)) {
        const std::size_t index = static_cast<std::size_t>(std::wcstoul(name.c_str() + 1, nullptr, 10));
        n += name.substr(name.find_last_of(L'.')) != kinds[index % kinds.size()].second;
    }
    return n;
}

// Counts what the detection reads of each file, through the seam it reads by.
struct CountingFileSystem : tavlo::FileSystem {
    tavlo::FileSystem& real = tavlo::SystemFileSystem();
    std::size_t bytes = 0;
    bool RenameNoReplace(const std::wstring& a, const std::wstring& b) override { return real.RenameNoReplace(a, b); }
    std::optional<std::wstring> StoredName(const std::wstring& p) override { return real.StoredName(p); }
    std::vector<std::wstring> NamesLike(const std::wstring& p) override { return real.NamesLike(p); }
    std::optional<std::vector<std::wstring>> FolderNames(const std::wstring& f) override { return real.FolderNames(f); }
    std::optional<std::string> ReadHead(const std::wstring& p, std::size_t n) override { return Count(real.ReadHead(p, n)); }
    std::optional<std::string> ReadRange(const std::wstring& p, std::uint64_t at, std::size_t n) override
    {
        return Count(real.ReadRange(p, at, n));
    }
    bool CanOpen(const std::wstring& p) override { return real.CanOpen(p); }
    std::optional<tavlo::FileIdentity> Identity(const std::wstring& p) override { return real.Identity(p); }
    std::optional<std::string> Count(std::optional<std::string> got)
    {
        if (got) bytes += got->size();
        return got;
    }
};

} // namespace

int main()
{
    const std::wstring root = L"C:\\tvcontent", content = root + L"\\c", lower = root + L"\\l";
    double bestContent = 1e9, bestLower = 1e9;
    for (int round = 0; round < 3; ++round) {
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW(content.c_str(), nullptr);
        CreateDirectoryW(lower.c_str(), nullptr);
        Fill(content);
        Fill(lower);
        const double c = bench::RunConsole(L"content c", root), l = bench::RunConsole(L"lower l", root);
        // Every file but the text ones gets a new extension from content; lower renames every file.
        if (!bench::Measured(c > 0 && l > 0 && Renamed(content) == kFiles - kFiles / 8 && Renamed(lower) == kFiles,
                             "both runs renaming their files"))
            return bench::Verdict();
        std::printf("round %d: content %8.1f ms, lower %8.1f ms\n", round + 1, c * 1000, l * 1000);
        bestContent = std::min(bestContent, c);
        bestLower = std::min(bestLower, l);
        for (const std::wstring& sub : {content, lower}) {
            for (const std::wstring& name : TempDir::ListNames(sub)) DeleteFileW((sub + L"\\" + name).c_str());
            RemoveDirectoryW(sub.c_str());
        }
        RemoveDirectoryW(root.c_str());
    }
    std::printf("tavlo2c content over %d files %8.1f ms against tavlo2c lower %8.1f ms: ratio %.2f", kFiles,
                bestContent * 1000, bestLower * 1000, bestContent / bestLower);
    bench::Target(bestContent / bestLower, 1.3);

    // Bytes read per file, the largest, over one file of each kind.
    TempDir dir;
    CountingFileSystem fs;
    tavlo::RenameEngine engine(fs, tavlo::RenameRules{});
    std::size_t most = 0;
    int i = 0;
    for (const auto& [bytes, ext] : Kinds()) {
        const std::wstring path = dir.Write(L"k" + std::to_wstring(i++) + ext, bytes);
        fs.bytes = 0;
        engine.Decide(path, tavlo::Mode::Content);
        most = std::max(most, fs.bytes);
    }
    std::printf("\nbytes read per file at most %zu", most);
    bench::Target(static_cast<double>(most), 64 * 1024, "%.0f bytes");
    bench::Measured(most > 0, "the bytes read");
    std::printf("\n");
    return bench::Verdict();
}
