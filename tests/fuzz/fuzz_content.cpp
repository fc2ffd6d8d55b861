// The content detector on any bytes: it never reads past the file or past its limit, gives one verdict, and
// names an extension for every format it finds.
#include "FuzzText.h"
#include "engine/ContentType.h"

#include <string>

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::size_t asked = 0;
    const ContentVerdict verdict = DetectContent(
        [&](std::uint64_t offset, std::size_t count) -> std::optional<std::string> {
            fuzz::Require(offset < bytes.size(), "a read from inside the file");
            asked += count;
            return bytes.substr(static_cast<std::size_t>(offset), count);
        },
        bytes.size());
    fuzz::Require(asked <= kContentReadLimit && verdict.bytesRead <= kContentReadLimit, "no more than the limit");
    if (verdict.kind == ContentVerdict::Kind::Format) {
        fuzz::Require(verdict.format < ContentFormat::Count, "a format of the table");
        const std::optional<std::wstring> ext = ContentExtension(verdict.format, L"");
        fuzz::Require(ext && ext->size() > 1 && (*ext)[0] == L'.', "an extension for a file without one");
    }
    fuzz::Require(size != 0 || verdict.kind == ContentVerdict::Kind::Empty, "an empty file is empty");
    return 0;
}
