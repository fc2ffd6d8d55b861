#pragma once
// Texts that belong to the forms themselves rather than to the message catalogues: menu captions and
// the load-failure texts (the framework's own are in ui/UiTexts.h). Kept here so no window spells them out.
namespace tavlo::form_text {

// The shared menu bar.
inline constexpr const wchar_t* kMenuExit = L"E(&x)it";
inline constexpr const wchar_t* kMenuFont = L"Fon(&t)";
inline constexpr const wchar_t* kMenuLog = L"(&L)og";
inline constexpr const wchar_t* kMenuLogCopy = L"Log(&C)opy";
inline constexpr const wchar_t* kMenuLogSave = L"Log(&S)ave";
inline constexpr const wchar_t* kMenuDefault = L"(&D)efault";
inline constexpr const wchar_t* kMenuInDirDefault = L"InDirDefault";
inline constexpr const wchar_t* kMenuOption = L"(&O)ption";
inline constexpr const wchar_t* kMenuHelp = L"(&H)elp";
inline constexpr const wchar_t* kMenuAbout = L"(&A)bout";
// The hidden top-level menu that serves as a window's context menu.
inline constexpr const wchar_t* kMenuPopup = L"Menu";

// Load failures: the whole text of the box that precedes the end of the program.
inline constexpr const wchar_t* kFrameLoadError = L"Tavlo2 frmTavlo MDIForm_Load ERR";
inline constexpr const wchar_t* kFrameActivateError = L"Tavlo2 frmTavlo MDIForm_Activate ERR";
inline constexpr const wchar_t* kInDirLoadError = L"Tavlo2 mdiinDir Form_Load ERR";
inline constexpr const wchar_t* kInFileLoadError = L"Tavlo2 mdiinFile Form_Load ERR";
inline constexpr const wchar_t* kFileLoadError = L"Tavlo2 mdiFile Form_Load ERR";
inline constexpr const wchar_t* kOutFileLoadError = L"Tavlo2 mdiOutFile Form_Load ERR";
inline constexpr const wchar_t* kStatusLoadError = L"Tavlo2 mdiStatus Form_Load ERR";

} // namespace tavlo::form_text
