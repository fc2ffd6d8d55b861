// File masks and patterns: any text parses or is refused; a mask that parses matches or not, and one
// that matches every name matches this one.
#include "FuzzText.h"
#include "core/Wildcard.h"
#include "core/Names.h"
#include "core/Paths.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = fuzz::WideText(data, size);
    const std::size_t split = text.find(L'|');
    const std::wstring mask = text.substr(0, split);
    const std::wstring name = split == std::wstring::npos ? L"name.txt" : text.substr(split + 1);
    if (const std::optional<FileMask> m = FileMask::Parse(mask)) {
        const bool hit = m->Matches(name);
        fuzz::Require(!m->MatchesAll() || hit, "a mask for all names matches this one");
    }
    if (const std::optional<FilePattern> p = FilePattern::Parse(mask)) {
        p->Matches(name);
        fuzz::Require(p->MaskCount() > 0, "a pattern has a mask");
    }
    FolderChain(text);
    SameFileName(mask, name);
    return 0;
}
