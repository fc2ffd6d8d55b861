// Path splitting and the shortened path of the log's headings.
#include "FuzzText.h"
#include "core/Paths.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring path = fuzz::WideText(data, size);
    const std::wstring name = GetFileName(path);
    // A file name is what follows a folder; text without one has none. (Doubled backslashes are no
    // path the program makes.)
    if (path.find(L'\\') != std::wstring::npos && path.find(L"\\\\") == std::wstring::npos) {
        fuzz::Require(GetFolderPrefix(path) + name == path, "folder and name make the path");
        for (bool dbl : {false, true})
            fuzz::Require(GetBaseName(path, dbl) + GetExtension(path, dbl) == name, "base and extension make the name");
    }
    GetFolderName(path);
    const std::wstring shortened = ShortenPath(path);
    fuzz::Require(shortened.size() <= path.size() + 3, "a shortened path is no longer");
    return 0;
}
