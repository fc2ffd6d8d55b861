#pragma once
// Texts fixed in the design of the dialogs rather than taken from the message catalogues: the
// load-failure boxes, the about box's button, version prefix and maker's line.
namespace tavlo::dialog_text {

inline constexpr const wchar_t* kOptionLoadError = L"Tavlo2 frmOption Form_Load ERR";
inline constexpr const wchar_t* kPreviewLoadError = L"Tavlo2 frmPreview Form_Load ERR";
inline constexpr const wchar_t* kMenuMenteLoadError = L"frmMenuMente Form_Load ERR";
inline constexpr const wchar_t* kDefaultLoadError = L"Tavlo2 frmDefault Form_Load ERR";

inline constexpr const wchar_t* kAboutOk = L"Ok";
inline constexpr const wchar_t* kVersionPrefix = L"Ver.";
inline constexpr const wchar_t* kMakerName = L"Copyright (C) Vesmir's Soft";

} // namespace tavlo::dialog_text
