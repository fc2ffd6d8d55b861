#pragma once
// The Send To entry as a drop target, as the system's own compressed-folder entry is: Explorer hands the
// selected files to an object of this class, served by this program in a process of its own, with no
// limit to their number (a command line holds some 32,000 characters). The entry is an empty file in the
// user's Send To folder whose file type names the class as its drop handler; the installer writes the
// per-user keys, and the portable copy adds them with /SendTo and takes them away with /SendTo-.
#include <optional>
#include <string>
#include <vector>

#include <guiddef.h>

namespace tavlo {

// {5B0E1C7A-3F7D-4E0B-9C55-2A6E8D4B7F31}
inline constexpr CLSID kSendToClass = {0x5b0e1c7a, 0x3f7d, 0x4e0b, {0x9c, 0x55, 0x2a, 0x6e, 0x8d, 0x4b, 0x7f, 0x31}};
inline constexpr wchar_t kSendToClassText[] = L"{5B0E1C7A-3F7D-4E0B-9C55-2A6E8D4B7F31}";
// The entry's file type: an extension of its own, never shown.
inline constexpr wchar_t kSendToExtension[] = L".Tavlo2SendTo";
inline constexpr wchar_t kSendToProgId[] = L"Tavlo2.SendTo";

// The options this program takes for the entry: COM starting it to serve the class ("-Embedding"), and
// the user asking for the entry (/SendTo) or for its removal (/SendTo-). Letter case aside.
enum class SendToOption { None, Serve, Add, Remove };
SendToOption SendToOptionOf(const std::wstring& arguments);

// Serves the class until a drop has come and its object is let go, or a minute passes without one: the
// dropped files in their order, or nothing.
std::optional<std::vector<std::wstring>> ServeSendToDrop();

// Writes the current user's keys for the class and the file type, with `program` as the server, and the
// entry in the Send To folder; removes them all. True when everything was done.
bool AddSendToEntry(const std::wstring& program);
bool RemoveSendToEntry();

} // namespace tavlo
