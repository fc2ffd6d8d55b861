#pragma once
// The text of the drive, folder and file lists' rows: a folder's row name, the drive row, and the row
// a typed character moves to. No system calls here.
#include "core/Names.h"

#include <string>
#include <string_view>

namespace tavlo {

// What a folder row shows: a root as it is, any other folder by its last component.
std::wstring FolderRowName(const std::wstring& folder);

// Typing a character in a list: the first row after `caret` (wrapping round) whose text begins with
// that character, compared as names compare; -1 when no row does. `rowText(i)` gives row i of `count`.
template <typename RowText>
int NextRowStartingWith(int count, int caret, wchar_t c, RowText rowText)
{
    const wchar_t wanted = FoldNameChar(c);
    for (int step = 1; step <= count; ++step) {
        int row = ((caret < 0 ? -1 : caret) + step) % count;
        const std::wstring& text = rowText(row);
        if (!text.empty() && FoldNameChar(text.front()) == wanted) return row;
    }
    return -1;
}

// A drive row: the lower-case drive ("c:") and, when the volume has one, its label in brackets.
// The first two characters always name the drive.
std::wstring DriveRowText(const std::wstring& root, const std::wstring& label);
// "C:" from a text whose first two characters name a drive ("c: [DATA]", "c:\", "C:"); empty otherwise.
std::wstring DriveOfText(std::wstring_view text);

} // namespace tavlo
