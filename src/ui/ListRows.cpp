#include "ui/ListRows.h"

#include "core/Paths.h"

namespace tavlo {

std::wstring FolderRowName(const std::wstring& folder)
{
    if (folder.empty() || folder.back() == L'\\') return folder;
    std::size_t slash = folder.rfind(L'\\');
    return slash == std::wstring::npos ? folder : folder.substr(slash + 1);
}

std::wstring DriveRowText(const std::wstring& root, const std::wstring& label)
{
    std::wstring drive = DriveOfText(root);
    if (drive.empty()) return {};
    drive[0] = static_cast<wchar_t>(drive[0] - L'A' + L'a');
    if (label.empty()) return drive;
    return drive + L" [" + label + L"]";
}

std::wstring DriveOfText(std::wstring_view text)
{
    if (text.size() < 2 || !IsDriveLetter(text[0]) || text[1] != L':') return {};
    wchar_t letter = text[0] >= L'a' ? static_cast<wchar_t>(text[0] - L'a' + L'A') : text[0];
    return std::wstring{letter, L':'};
}

} // namespace tavlo
