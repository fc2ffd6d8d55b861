#include "ui/InputBox.h"

#include "common/Catalogue.h"
#include "common/Fault.h"
#include "common/GdiHandles.h"
#include "ui/Form.h"
#include "ui/UiTexts.h"

#include <cstdint>
#include <vector>

namespace tavlo {

namespace {

constexpr int kIdPrompt = 100;
constexpr int kIdAnswer = 101;

// Layout in dialog units: the prompt at the left with OK and Cancel beside it, the answer below.
constexpr short kWidth = 260, kHeight = 92;
constexpr short kMargin = 7, kButtonWidth = 50, kButtonHeight = 14;
constexpr short kPromptWidth = kWidth - 3 * kMargin - kButtonWidth, kPromptHeight = 56;
constexpr short kAnswerTop = kHeight - kMargin - 13, kAnswerHeight = 13;
// A face that carries the Japanese glyphs at the size of the system's own boxes.
constexpr wchar_t kFontName[] = L"MS UI Gothic";
constexpr WORD kFontPoints = 9;
// The accepting button reads as on the system's own boxes; Cancel is the program's own caption.
constexpr wchar_t kOkCaption[] = L"OK";

struct DialogState {
    const std::wstring* Prompt;
    const std::wstring* Title;
    const std::wstring* Default;
    std::wstring Answer;
};

// Builds the in-memory template: DLGTEMPLATE, its strings and font, then each item DWORD-aligned.
class TemplateWriter {
public:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* text)
    {
        for (; *text; ++text) Word(static_cast<WORD>(*text));
        Word(0);
    }
    void AlignDword()
    {
        if (words_.size() % 2) Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* text)
    {
        AlignDword();
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);  // extended style
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

constexpr WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;

void BuildTemplate(TemplateWriter& t)
{
    t.Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.Dword(0);   // extended style
    t.Word(4);    // items
    t.Word(0);    // x, y: centred
    t.Word(0);
    t.Word(kWidth);
    t.Word(kHeight);
    t.Word(0);    // no menu
    t.Word(0);    // the standard dialog class
    t.Word(0);    // the caption is set at WM_INITDIALOG
    t.Word(kFontPoints);
    t.Text(kFontName);
    t.Item(SS_LEFT | SS_EDITCONTROL | SS_NOPREFIX, kMargin, kMargin, kPromptWidth, kPromptHeight, kIdPrompt,
           kStaticAtom, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth, kMargin, kButtonWidth, kButtonHeight,
           IDOK, kButtonAtom, kOkCaption);
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth, kMargin + kButtonHeight + 4, kButtonWidth,
           kButtonHeight, IDCANCEL, kButtonAtom, L"");
    t.Item(ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMargin, kAnswerTop, kWidth - 2 * kMargin,
           kAnswerHeight, kIdAnswer, kEditAtom, L"");
}

// A prompt longer than its place makes the box taller, so no line of it is cut off.
void FitPrompt(HWND dialog)
{
    HWND prompt = GetDlgItem(dialog, kIdPrompt);
    RECT place{};
    GetWindowRect(prompt, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const int width = place.right - place.left, height = place.bottom - place.top;

    RECT need{0, 0, width, 0};
    {
        const WindowDc dc(prompt);
        if (!dc) return;
        const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(prompt, WM_GETFONT, 0, 0)));
        const std::wstring text = Form::WindowText(prompt);
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &need,
                  DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    }

    const int extra = (need.bottom - need.top) - height;
    if (extra <= 0) return;
    SetWindowPos(prompt, nullptr, 0, 0, width, height + extra, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND answer = GetDlgItem(dialog, kIdAnswer);
    RECT a{};
    GetWindowRect(answer, &a);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&a), 2);
    SetWindowPos(answer, nullptr, a.left, a.top + extra, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT outer{};
    GetWindowRect(dialog, &outer);
    SetWindowPos(dialog, nullptr, outer.left, outer.top - extra / 2, outer.right - outer.left,
                 outer.bottom - outer.top + extra, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (msg) {
            case WM_INITDIALOG: {
                auto* state = reinterpret_cast<DialogState*>(lParam);
                SetWindowLongPtrW(dialog, DWLP_USER, lParam);
                SetWindowTextW(dialog, state->Title->c_str());
                SetDlgItemTextW(dialog, kIdPrompt, PromptLines(*state->Prompt).c_str());
                SetDlgItemTextW(dialog, IDCANCEL, GeneralString(general_text::Cancel).c_str());
                HWND answer = GetDlgItem(dialog, kIdAnswer);
                SetWindowTextW(answer, state->Default->c_str());
                FitPrompt(dialog);
                SendMessageW(answer, EM_SETSEL, 0, -1);
                SetFocus(answer);
                return FALSE;  // the focus is set
            }
            case WM_COMMAND: {
                auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                if (LOWORD(wParam) == IDOK) {
                    if (state) state->Answer = Form::WindowText(GetDlgItem(dialog, kIdAnswer));
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    if (state) state->Answer.clear();
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            }
            default:
                return FALSE;
        }
    } catch (...) {
        ReportFault("InputBox dialog procedure");
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

InputBoxHandler& CurrentHandler()
{
    static InputBoxHandler handler = ShowInputDialog;
    return handler;
}

} // namespace

std::wstring PromptLines(const std::wstring& prompt)
{
    std::wstring out;
    out.reserve(prompt.size() + 8);
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        wchar_t c = prompt[i];
        if (c == L'\r') {
            out += L"\r\n";
            if (i + 1 < prompt.size() && prompt[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            out += L"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring ShowInputDialog(HWND owner, const std::wstring& prompt, const std::wstring& title,
                             const std::wstring& defaultText)
{
    const std::wstring shownTitle = title.empty() ? std::wstring(ui_text::kBoxTitle) : title;
    DialogState state{&prompt, &shownTitle, &defaultText, {}};
    TemplateWriter t;
    BuildTemplate(t);
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner, DialogProc,
                                             reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? state.Answer : std::wstring();
}

std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                      const std::wstring& defaultText)
{
    InputBoxHandler handler = CurrentHandler();
    return handler(owner, prompt, title.empty() ? std::wstring(ui_text::kBoxTitle) : title, defaultText);
}

InputBoxHandler SetInputBoxHandler(InputBoxHandler handler)
{
    InputBoxHandler previous = CurrentHandler();
    CurrentHandler() = handler ? std::move(handler) : InputBoxHandler(ShowInputDialog);
    return previous;
}

} // namespace tavlo
