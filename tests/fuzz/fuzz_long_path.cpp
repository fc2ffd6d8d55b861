// The text logic of long-path normalisation over the model file system: a folder tree with long names,
// case twins and look-alikes; any text as a path. The batch form, which lists a folder once, answers
// exactly as the name-by-name form does, and an answer names the entry the path named.
#include "FuzzText.h"
#include "core/LongPath.h"
#include "engine/ModelFileSystem.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    test::ModelFileSystem fs;
    fs.AddFolder(L"C:", false);
    fs.AddFile(L"C:", L"Data");
    fs.AddFile(L"C:", L"Program Files");
    fs.AddFolder(L"C:\\Data", true);
    for (const wchar_t* name : {L"page.html", L"Page.HTML", L"My Memo.doc", L"a", L"\u30d5\u30a1\u30a4\u30eb.txt"})
        fs.AddFile(L"C:\\Data", name);
    fs.AddFolder(L"C:\\Program Files", false);
    fs.AddFile(L"C:\\Program Files", L"tavlo2.exe");

    LongPathBatch batch(fs);
    const std::wstring text = fuzz::WideText(data, size);
    std::size_t start = 0;
    // Several paths, one a line, through the same batch.
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring path = text.substr(start, end - start);
        const std::wstring one = ExpandFullPath(path, fs);
        fuzz::Require(batch.ExpandFull(path) == one, "the batch answers as one by one");
        if (!one.empty() && one.size() > 3)
            fuzz::Require(fs.StoredName(one).has_value(), "the stored form names an entry");
        start = end + 1;
    }
    return 0;
}
