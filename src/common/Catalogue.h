#pragma once
// The two message catalogues: every text the program shows is looked up here by number.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavlo {

// The numbers of the two catalogues, each a type of its own, so that neither a count, an index or a mode
// nor a number of the other catalogue is ever taken for one. A group of consecutive texts (one per mode
// or table row) is reached from its first number by adding the index.
enum class TextNumber : std::int16_t {};
enum class GeneralNumber : std::int16_t {};
constexpr TextNumber operator+(TextNumber first, int index) { return TextNumber(static_cast<int>(first) + index); }
constexpr GeneralNumber operator+(GeneralNumber first, int index)
{
    return GeneralNumber(static_cast<int>(first) + index);
}
// The number as the catalogue tables and the stored forms write it.
constexpr int NumberOf(TextNumber number) { return static_cast<int>(number); }

// Texts of this program; empty for a number the catalogue does not hold.
std::wstring_view ProgramText(TextNumber number);
// General-purpose texts (cancel, aliases, option commons, saving); empty for an unknown number.
std::wstring_view GeneralText(GeneralNumber number);
// The same as strings: the one way the program takes a text it keeps or joins.
inline std::wstring ProgramString(TextNumber number) { return std::wstring(ProgramText(number)); }
inline std::wstring GeneralString(GeneralNumber number) { return std::wstring(GeneralText(number)); }

// The one formatter of the catalogue's fills: the text with its `tag` (such as L"%FILE%") filled in by
// `value`. A text without the tag is given back as it is and the miss is traced, never a fault.
std::wstring FillTag(std::wstring text, std::wstring_view tag, std::wstring_view value);

// The numbers of the texts, by what the texts say. A name ending in First is the first of a group of
// consecutive numbers, one per mode or table row.
namespace program_text {
inline constexpr TextNumber NoLeadingText{0};
inline constexpr TextNumber ModeCaptionFirst{10};
inline constexpr TextNumber ModeTipFirst{20};
inline constexpr TextNumber NoFourToThreeRow{100};
inline constexpr TextNumber NoThreeToFourRow{101};
inline constexpr TextNumber InDirCaption{1000};
inline constexpr TextNumber InDirDriveTip{1001};
inline constexpr TextNumber InDirFolderTip{1002};
inline constexpr TextNumber InDirTextTip{1003};
inline constexpr TextNumber InFileCaption{2000};
inline constexpr TextNumber InFileListTip{2001};
inline constexpr TextNumber AddSelectedTip{2002};
inline constexpr TextNumber AddAllTip{2003};
inline constexpr TextNumber AddSubfoldersTip{2004};
inline constexpr TextNumber FilterMenu{2010};
inline constexpr TextNumber FilterTitle{2100};
inline constexpr TextNumber FilterPrompt{2101};
inline constexpr TextNumber FilterRefused{2200};
inline constexpr TextNumber TargetCaption{3000};
inline constexpr TextNumber TargetListTip{3001};
inline constexpr TextNumber TakeOutSelectedTip{3002};
inline constexpr TextNumber TakeOutAllTip{3003};
inline constexpr TextNumber SameFolderMenu{3007};
inline constexpr TextNumber TargetListFull{3100};
inline constexpr TextNumber LogCaption{5000};
inline constexpr TextNumber LogTip{5001};
inline constexpr TextNumber ResultCaption{6000};
inline constexpr TextNumber ResultListTip{6001};
inline constexpr TextNumber AboutCaption{7000};
inline constexpr TextNumber ProductName{7001};
inline constexpr TextNumber OptionCaption{8000};
inline constexpr TextNumber AutoRun{8038};
inline constexpr TextNumber Hiragana{8039};
inline constexpr TextNumber DoubleExtensions{8040};
inline constexpr TextNumber AutoRunTip{8041};
inline constexpr TextNumber HiraganaTip{8042};
inline constexpr TextNumber DoubleExtensionsTip{8043};
inline constexpr TextNumber AutoModeFirst{8050};
inline constexpr TextNumber AutoModeTipFirst{8060};
inline constexpr TextNumber FourToThreeLabel{8070};
inline constexpr TextNumber ThreeToFourLabel{8071};
inline constexpr TextNumber FourToThreeRowFirst{8080};
inline constexpr TextNumber ThreeToFourRowFirst{8090};
inline constexpr TextNumber FourToThreeRowTipFirst{8100};
inline constexpr TextNumber ThreeToFourRowTipFirst{8110};
inline constexpr TextNumber DefaultCaption{9000};
inline constexpr TextNumber CopyInputFolder{9005};
inline constexpr TextNumber CopyTemporaryFolder{9007};
inline constexpr TextNumber ProgramTitle{9999};
inline constexpr TextNumber DefaultFolderLabel{10000};
inline constexpr TextNumber DefaultOffTip{10020};
inline constexpr TextNumber DefaultDriveTip{10021};
inline constexpr TextNumber DefaultFolderTip{10022};
inline constexpr TextNumber DefaultTextTip{10023};
// The log's lines for a file the run reached, and the reasons a rule does not apply.
inline constexpr TextNumber NotEnabled{20000};
inline constexpr TextNumber SameName{20001};
inline constexpr TextNumber RenameFailed{20002};
inline constexpr TextNumber RenamedFrom{20003};
inline constexpr TextNumber RenamedTo{20004};
inline constexpr TextNumber ShortEnough{20005};
inline constexpr TextNumber HasWideChar{20006};
inline constexpr TextNumber NotText{20007};
inline constexpr TextNumber NotDoc{20008};
// The content mode's reasons, and the line that names what the content is.
inline constexpr TextNumber ContentIsText{20010};
inline constexpr TextNumber ContentEmpty{20011};
inline constexpr TextNumber ContentUnknown{20012};
inline constexpr TextNumber ContentAmbiguous{20013};
inline constexpr TextNumber ContentUnreadable{20014};
inline constexpr TextNumber ContentFound{20015};
// Added texts: a case-only rename's temporary name, and the undo command's own.
inline constexpr TextNumber LeftUnderTemporaryName{20100};
// The run found no file under the target's name, whatever the mode.
inline constexpr TextNumber FileMissing{20101};
inline constexpr TextNumber PutBack{21000};
inline constexpr TextNumber NotPutBack{21001};
inline constexpr TextNumber AllBack{21002};
inline constexpr TextNumber SomeLeft{21003};
inline constexpr TextNumber NothingToUndo{21004};
inline constexpr TextNumber NewNameMissing{21005};
inline constexpr TextNumber OtherFile{21006};
inline constexpr TextNumber OldNameTaken{21007};
inline constexpr TextNumber RenameRefused{21008};
inline constexpr TextNumber UndoUnavailable{21009};
inline constexpr TextNumber UndoMenu{21010};
inline constexpr TextNumber UndoQuestion{21011};
inline constexpr TextNumber UndoInProgress{21012};
inline constexpr TextNumber JournalSetAside{21013};
inline constexpr TextNumber HelpMissing{21100};
// The preview: what a run would do to each file, and its window.
inline constexpr TextNumber WillRename{22000};
inline constexpr TextNumber NameTaken{22001};
inline constexpr TextNumber NameTakenByEarlier{22002};
inline constexpr TextNumber CaseTwin{22003};
inline constexpr TextNumber FileGone{22004};
inline constexpr TextNumber CannotRead{22005};
inline constexpr TextNumber NoExtensionToChange{22006};
inline constexpr TextNumber ResultWithFormat{22007};
inline constexpr TextNumber PreviewTitle{22010};
inline constexpr TextNumber PreviewFileColumn{22011};
inline constexpr TextNumber PreviewNameColumn{22012};
inline constexpr TextNumber PreviewResultColumn{22013};
inline constexpr TextNumber PreviewRun{22014};
inline constexpr TextNumber PreviewCancel{22015};
inline constexpr TextNumber PreviewCounts{22016};
inline constexpr TextNumber PreviewOption{22017};
inline constexpr TextNumber PreviewOptionTip{22018};
// The console command.
inline constexpr TextNumber ConsoleUsage{23000};
inline constexpr TextNumber UnknownMode{23001};
inline constexpr TextNumber UnknownSwitch{23002};
inline constexpr TextNumber ModeAndPathNeeded{23003};
inline constexpr TextNumber UndoTakesNothingElse{23004};
inline constexpr TextNumber NothingMatches{23005};
inline constexpr TextNumber JournalNotWritten{23006};
inline constexpr TextNumber SeeConsoleHelp{23007};
inline constexpr TextNumber ConsoleFault{23008};
// The names of the formats the content mode knows, one per format in the engine's order.
inline constexpr TextNumber ContentFormatFirst{24000};
} // namespace program_text

namespace general_text {
inline constexpr GeneralNumber Cancel{5};
inline constexpr GeneralNumber CancelTip{10};
inline constexpr GeneralNumber RemoveAllSettings{20};
inline constexpr GeneralNumber Stopped{30};
inline constexpr GeneralNumber AllDone{31};
inline constexpr GeneralNumber Refresh{1005};
inline constexpr GeneralNumber AddAlias{1006};
inline constexpr GeneralNumber MaintainAliases{1007};
inline constexpr GeneralNumber AliasPrompt{1100};
inline constexpr GeneralNumber AliasTitle{1101};
inline constexpr GeneralNumber AliasTaken{1102};
inline constexpr GeneralNumber NoOpenFolder{1103};
inline constexpr GeneralNumber SelectAll{2006};
inline constexpr GeneralNumber ClearSelection{2007};
inline constexpr GeneralNumber Reset{2008};
inline constexpr GeneralNumber OverwriteQuestion{5100};
inline constexpr GeneralNumber SaveFailed{5101};
inline constexpr GeneralNumber ContactName{7003};
inline constexpr GeneralNumber ContactMail{7004};
inline constexpr GeneralNumber ContactWeb{7005};
inline constexpr GeneralNumber Defaults{8042};
inline constexpr GeneralNumber CancelButton{8043};
inline constexpr GeneralNumber OkButton{8044};
inline constexpr GeneralNumber DefaultsTip{8045};
inline constexpr GeneralNumber CancelButtonTip{8046};
inline constexpr GeneralNumber OkButtonTip{8047};
inline constexpr GeneralNumber ResizeChildren{8056};
inline constexpr GeneralNumber ResizeChildrenTip{8057};
inline constexpr GeneralNumber ShowTips{8058};
inline constexpr GeneralNumber ShowTipsTip{8059};
inline constexpr GeneralNumber CopyLog{8060};
inline constexpr GeneralNumber CopyLogTip{8061};
inline constexpr GeneralNumber AliasMaintenanceSuffix{11000};
inline constexpr GeneralNumber RenameAlias{11003};
inline constexpr GeneralNumber RenameAliasTip{11006};
inline constexpr GeneralNumber AliasFolderTip{11007};
inline constexpr GeneralNumber AliasListTip{11008};
inline constexpr GeneralNumber MoveUpTip{11009};
inline constexpr GeneralNumber MoveDownTip{11010};
inline constexpr GeneralNumber DeleteTip{11011};
inline constexpr GeneralNumber DeleteAllTip{11012};
inline constexpr GeneralNumber NewAliasPrompt{11101};
inline constexpr GeneralNumber RenameAliasTitle{11102};
inline constexpr GeneralNumber AliasNameTaken{11103};
} // namespace general_text

} // namespace tavlo
