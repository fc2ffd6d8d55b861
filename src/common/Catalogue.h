#pragma once
// The two message catalogues: every text the program shows is looked up here by number.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavlo {

// Texts of this program; empty for a number the catalogue does not hold.
std::wstring_view ProgramText(std::int16_t number);
// General-purpose texts (cancel, aliases, option commons, saving); empty for an unknown number.
std::wstring_view GeneralText(std::int16_t number);
// The same as strings, for a number that may be a group's base plus an index: the one way the program
// takes a text it keeps or joins.
inline std::wstring ProgramString(int number) { return std::wstring(ProgramText(static_cast<std::int16_t>(number))); }
inline std::wstring GeneralString(int number) { return std::wstring(GeneralText(static_cast<std::int16_t>(number))); }

// A catalogue text with its `tag` (such as L"%FILE%") filled in by `value`; a text without the tag is
// given back as it is, never a fault.
std::wstring FillTag(std::wstring text, std::wstring_view tag, std::wstring_view value);

// The numbers of the texts, by what the texts say. A name ending in First is the first of a group of
// consecutive numbers, one per mode or table row.
namespace program_text {
inline constexpr std::int16_t NoLeadingText = 0;
inline constexpr std::int16_t ModeCaptionFirst = 10;
inline constexpr std::int16_t ModeTipFirst = 20;
inline constexpr std::int16_t NoFourToThreeRow = 100;
inline constexpr std::int16_t NoThreeToFourRow = 101;
inline constexpr std::int16_t InDirCaption = 1000;
inline constexpr std::int16_t InDirDriveTip = 1001;
inline constexpr std::int16_t InDirFolderTip = 1002;
inline constexpr std::int16_t InDirTextTip = 1003;
inline constexpr std::int16_t InFileCaption = 2000;
inline constexpr std::int16_t InFileListTip = 2001;
inline constexpr std::int16_t AddSelectedTip = 2002;
inline constexpr std::int16_t AddAllTip = 2003;
inline constexpr std::int16_t AddSubfoldersTip = 2004;
inline constexpr std::int16_t FilterMenu = 2010;
inline constexpr std::int16_t FilterTitle = 2100;
inline constexpr std::int16_t FilterPrompt = 2101;
inline constexpr std::int16_t FilterRefused = 2200;
inline constexpr std::int16_t TargetCaption = 3000;
inline constexpr std::int16_t TargetListTip = 3001;
inline constexpr std::int16_t TakeOutSelectedTip = 3002;
inline constexpr std::int16_t TakeOutAllTip = 3003;
inline constexpr std::int16_t SameFolderMenu = 3007;
inline constexpr std::int16_t TargetListFull = 3100;
inline constexpr std::int16_t LogCaption = 5000;
inline constexpr std::int16_t LogTip = 5001;
inline constexpr std::int16_t ResultCaption = 6000;
inline constexpr std::int16_t ResultListTip = 6001;
inline constexpr std::int16_t AboutCaption = 7000;
inline constexpr std::int16_t ProductName = 7001;
inline constexpr std::int16_t OptionCaption = 8000;
inline constexpr std::int16_t AutoRun = 8038;
inline constexpr std::int16_t Hiragana = 8039;
inline constexpr std::int16_t DoubleExtensions = 8040;
inline constexpr std::int16_t AutoRunTip = 8041;
inline constexpr std::int16_t HiraganaTip = 8042;
inline constexpr std::int16_t DoubleExtensionsTip = 8043;
inline constexpr std::int16_t AutoModeFirst = 8050;
inline constexpr std::int16_t AutoModeTipFirst = 8060;
inline constexpr std::int16_t FourToThreeLabel = 8070;
inline constexpr std::int16_t ThreeToFourLabel = 8071;
inline constexpr std::int16_t FourToThreeRowFirst = 8080;
inline constexpr std::int16_t ThreeToFourRowFirst = 8090;
inline constexpr std::int16_t FourToThreeRowTipFirst = 8100;
inline constexpr std::int16_t ThreeToFourRowTipFirst = 8110;
inline constexpr std::int16_t DefaultCaption = 9000;
inline constexpr std::int16_t CopyInputFolder = 9005;
inline constexpr std::int16_t CopyTemporaryFolder = 9007;
inline constexpr std::int16_t ProgramTitle = 9999;
inline constexpr std::int16_t DefaultFolderLabel = 10000;
inline constexpr std::int16_t DefaultOffTip = 10020;
inline constexpr std::int16_t DefaultDriveTip = 10021;
inline constexpr std::int16_t DefaultFolderTip = 10022;
inline constexpr std::int16_t DefaultTextTip = 10023;
// The log's lines for a file the run reached, and the reasons a rule does not apply.
inline constexpr std::int16_t NotEnabled = 20000;
inline constexpr std::int16_t SameName = 20001;
inline constexpr std::int16_t RenameFailed = 20002;
inline constexpr std::int16_t RenamedFrom = 20003;
inline constexpr std::int16_t RenamedTo = 20004;
inline constexpr std::int16_t ShortEnough = 20005;
inline constexpr std::int16_t HasWideChar = 20006;
inline constexpr std::int16_t NotText = 20007;
inline constexpr std::int16_t NotDoc = 20008;
// The content mode's reasons, and the line that names what the content is.
inline constexpr std::int16_t ContentIsText = 20010;
inline constexpr std::int16_t ContentEmpty = 20011;
inline constexpr std::int16_t ContentUnknown = 20012;
inline constexpr std::int16_t ContentAmbiguous = 20013;
inline constexpr std::int16_t ContentUnreadable = 20014;
inline constexpr std::int16_t ContentFound = 20015;
// Added texts: a case-only rename's temporary name, and the undo command's own.
inline constexpr std::int16_t LeftUnderTemporaryName = 20100;
// The run found no file under the target's name, whatever the mode.
inline constexpr std::int16_t FileMissing = 20101;
inline constexpr std::int16_t PutBack = 21000;
inline constexpr std::int16_t NotPutBack = 21001;
inline constexpr std::int16_t AllBack = 21002;
inline constexpr std::int16_t SomeLeft = 21003;
inline constexpr std::int16_t NothingToUndo = 21004;
inline constexpr std::int16_t NewNameMissing = 21005;
inline constexpr std::int16_t OtherFile = 21006;
inline constexpr std::int16_t OldNameTaken = 21007;
inline constexpr std::int16_t RenameRefused = 21008;
inline constexpr std::int16_t UndoUnavailable = 21009;
inline constexpr std::int16_t UndoMenu = 21010;
inline constexpr std::int16_t UndoQuestion = 21011;
inline constexpr std::int16_t UndoInProgress = 21012;
inline constexpr std::int16_t JournalSetAside = 21013;
inline constexpr std::int16_t HelpMissing = 21100;
// The preview: what a run would do to each file, and its window.
inline constexpr std::int16_t WillRename = 22000;
inline constexpr std::int16_t NameTaken = 22001;
inline constexpr std::int16_t NameTakenByEarlier = 22002;
inline constexpr std::int16_t CaseTwin = 22003;
inline constexpr std::int16_t FileGone = 22004;
inline constexpr std::int16_t CannotRead = 22005;
inline constexpr std::int16_t NoExtensionToChange = 22006;
inline constexpr std::int16_t ResultWithFormat = 22007;
inline constexpr std::int16_t PreviewTitle = 22010;
inline constexpr std::int16_t PreviewFileColumn = 22011;
inline constexpr std::int16_t PreviewNameColumn = 22012;
inline constexpr std::int16_t PreviewResultColumn = 22013;
inline constexpr std::int16_t PreviewRun = 22014;
inline constexpr std::int16_t PreviewCancel = 22015;
inline constexpr std::int16_t PreviewCounts = 22016;
inline constexpr std::int16_t PreviewOption = 22017;
inline constexpr std::int16_t PreviewOptionTip = 22018;
// The console command.
inline constexpr std::int16_t ConsoleUsage = 23000;
inline constexpr std::int16_t UnknownMode = 23001;
inline constexpr std::int16_t UnknownSwitch = 23002;
inline constexpr std::int16_t ModeAndPathNeeded = 23003;
inline constexpr std::int16_t UndoTakesNothingElse = 23004;
inline constexpr std::int16_t NothingMatches = 23005;
inline constexpr std::int16_t JournalNotWritten = 23006;
inline constexpr std::int16_t SeeConsoleHelp = 23007;
inline constexpr std::int16_t ConsoleFault = 23008;
// The names of the formats the content mode knows, one per format in the engine's order.
inline constexpr std::int16_t ContentFormatFirst = 24000;
} // namespace program_text

namespace general_text {
inline constexpr std::int16_t Cancel = 5;
inline constexpr std::int16_t CancelTip = 10;
inline constexpr std::int16_t RemoveAllSettings = 20;
inline constexpr std::int16_t Stopped = 30;
inline constexpr std::int16_t AllDone = 31;
inline constexpr std::int16_t Refresh = 1005;
inline constexpr std::int16_t AddAlias = 1006;
inline constexpr std::int16_t MaintainAliases = 1007;
inline constexpr std::int16_t AliasPrompt = 1100;
inline constexpr std::int16_t AliasTitle = 1101;
inline constexpr std::int16_t AliasTaken = 1102;
inline constexpr std::int16_t NoOpenFolder = 1103;
inline constexpr std::int16_t SelectAll = 2006;
inline constexpr std::int16_t ClearSelection = 2007;
inline constexpr std::int16_t Reset = 2008;
inline constexpr std::int16_t OverwriteQuestion = 5100;
inline constexpr std::int16_t SaveFailed = 5101;
inline constexpr std::int16_t ContactName = 7003;
inline constexpr std::int16_t ContactMail = 7004;
inline constexpr std::int16_t ContactWeb = 7005;
inline constexpr std::int16_t Defaults = 8042;
inline constexpr std::int16_t CancelButton = 8043;
inline constexpr std::int16_t OkButton = 8044;
inline constexpr std::int16_t DefaultsTip = 8045;
inline constexpr std::int16_t CancelButtonTip = 8046;
inline constexpr std::int16_t OkButtonTip = 8047;
inline constexpr std::int16_t ResizeChildren = 8056;
inline constexpr std::int16_t ResizeChildrenTip = 8057;
inline constexpr std::int16_t ShowTips = 8058;
inline constexpr std::int16_t ShowTipsTip = 8059;
inline constexpr std::int16_t CopyLog = 8060;
inline constexpr std::int16_t CopyLogTip = 8061;
inline constexpr std::int16_t AliasMaintenanceSuffix = 11000;
inline constexpr std::int16_t RenameAlias = 11003;
inline constexpr std::int16_t RenameAliasTip = 11006;
inline constexpr std::int16_t AliasFolderTip = 11007;
inline constexpr std::int16_t AliasListTip = 11008;
inline constexpr std::int16_t MoveUpTip = 11009;
inline constexpr std::int16_t MoveDownTip = 11010;
inline constexpr std::int16_t DeleteTip = 11011;
inline constexpr std::int16_t DeleteAllTip = 11012;
inline constexpr std::int16_t NewAliasPrompt = 11101;
inline constexpr std::int16_t RenameAliasTitle = 11102;
inline constexpr std::int16_t AliasNameTaken = 11103;
} // namespace general_text

} // namespace tavlo
