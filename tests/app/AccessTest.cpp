// What a screen reader is told: every control's accessible name and role, asked through the system's
// accessibility interface in this process; and a window whose drawing is held during a burst.
#include "UiTestSupport.h"
#include "app/frmTavlo.h"
#include "common/Catalogue.h"
#include "ui/PacedRedraw.h"

#include <gtest/gtest.h>
#include <oleacc.h>

namespace tavlo {
namespace {

struct Accessible {
    std::wstring name;
    long role = 0;
};

Accessible Ask(HWND control)
{
    Accessible answer;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))) || !object)
        return answer;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name) answer.name = name;
    SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) answer.role = role.lVal;
    object->Release();
    return answer;
}

// The role of a standard control is the system's own answer: the button's, or, on a platform whose
// accessibility layer knows no control classes (Wine 8), that of any window's client area.
bool IsButtonRole(long role) { return role == ROLE_SYSTEM_PUSHBUTTON || role == ROLE_SYSTEM_CLIENT; }

class AccessTest : public test::FrameTest {};

TEST_F(AccessTest, EveryControlIsNamed)
{
    ASSERT_TRUE(Open());
    for (int i = 0; i < frmTavlo::kModeCount; ++i) {
        const Accessible button = Ask(frame->btnExe(i));
        EXPECT_EQ(button.name, ProgramString(program_text::ModeCaptionFirst + i));
        EXPECT_TRUE(IsButtonRole(button.role)) << button.role;
    }
    const std::pair<HWND, TextNumber> iconButtons[] = {
        {frame->FileWindow().btnDel(), program_text::TakeOutSelectedTip},
        {frame->FileWindow().btnDelAll(), program_text::TakeOutAllTip},
        {frame->InFileWindow().btnAdd(), program_text::AddSelectedTip},
        {frame->InFileWindow().btnAddAll(), program_text::AddAllTip},
        {frame->InFileWindow().btnAddAllAll(), program_text::AddSubfoldersTip}};
    for (const auto& [button, tip] : iconButtons) {
        const Accessible a = Ask(button);
        EXPECT_EQ(a.name, ProgramString(tip));
        EXPECT_TRUE(IsButtonRole(a.role)) << a.role;
        EXPECT_NE(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "the picture still shows";
    }
    // Each list box by the caption of its window; no visible control of any child goes unnamed.
    for (ChildForm* child : frame->Children()) {
        const std::wstring caption = test::WindowText(child->Handle());
        for (HWND c = GetWindow(child->Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            const Accessible a = Ask(c);
            wchar_t cls[32]{};
            GetClassNameW(c, cls, 32);
            if (std::wstring(cls) == L"ListBox") {
                EXPECT_EQ(a.name, caption);
            }
            EXPECT_FALSE(a.name.empty() && std::wstring(cls) == L"Button") << caption.size();
        }
    }
}

// While a burst holds a window's drawing, the window is still there for the system: visible, and the
// target of a click on it; a hidden one stays hidden. (This platform's list box keeps its visible state by itself; a control whose
// drawing the system's default handling turns off does not, so one of those stands in.)
TEST(PacedRedrawTest, AWindowWhoseDrawingIsHeldStaysVisibleAndClickable)
{
    HWND top = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 200, 200, nullptr, nullptr,
                               nullptr, nullptr);
    HWND held = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, top, nullptr, nullptr, nullptr);
    {
        PacedRedraw redraw;
        redraw.Hold(held);
        EXPECT_TRUE(IsWindowVisible(held));
        EXPECT_EQ(WindowFromPoint(POINT{150, 150}), held);
        PacedRedraw::DrawAll();
    }
    EXPECT_TRUE(IsWindowVisible(held));
    // One hidden by itself (held all the same) is not shown by its drawing.
    HWND hidden = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
    {
        PacedRedraw redraw;
        redraw.Hold(hidden);
        PacedRedraw::DrawAll();
    }
    EXPECT_FALSE(GetWindowLongPtrW(hidden, GWL_STYLE) & WS_VISIBLE);
    DestroyWindow(top);
}

} // namespace
} // namespace tavlo
