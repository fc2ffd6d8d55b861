#pragma once
// What the four dialogs share. A dialog object lives as long as the program; its window is made
// hidden by the load, shown modally (the owner disabled, a local message loop until the dialog is
// hidden again), hidden by OK and Cancel, and destroyed by the close box or the shutdown, which
// write its position; the next showing loads it again. Also: the stored position with the probe
// rule, kept on the screen; the load-error box.
#include "settings/SettingsStore.h"
#include "ui/Form.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavlo {

struct DialogFormSpec {
    std::wstring KeyPrefix;      // "Option_": the keys Option_Left and Option_Top
    bool StoresSize = false;     // _Width and _Height are stored too, and the user may resize
    float DefaultWidth = 5000;   // twips, for a stored size
    float DefaultHeight = 5000;
    std::wstring LoadErrorText;  // empty: a load error ends the load silently and the program goes on
};

class DialogForm : public Form {
public:
    explicit DialogForm(DialogFormSpec spec);
    ~DialogForm() override;

    // The store of the dialog's position: the process's store unless another is given.
    void SetStore(SettingsStore& store) { store_ = &store; }
    SettingsStore& Store() const;
    // The window the dialog belongs to and disables while it is shown: the main window unless given.
    void SetOwner(HWND owner) { owner_ = owner; }

    // Makes the window (hidden) and runs the load. Does nothing when the dialog is loaded already.
    // False when the load failed and the failure has been reported (which normally ends the program).
    bool Form_Load();
    // Shows the dialog modally and returns when it has been hidden or unloaded; loads it first when
    // its close box unloaded it.
    void Show();
    // Hides the dialog; a modal showing ends.
    void Hide();
    // Writes the position (each key on its own, failures ignored) and destroys the window.
    void Unload();

    bool IsLoaded() const { return Exists(); }
    bool IsVisible() const;
    // True while Show has not returned.
    bool IsModal() const { return modal_; }

    // Runs at every showing once the dialog is on the screen, inside its modal loop.
    std::function<void()> OnShown;

protected:
    // Creates the controls; called once per window, right after it exists.
    virtual void CreateControls() = 0;
    // The load steps after position and font (captions, tooltips, state); throwing is a load error.
    virtual void LoadMore() {}
    // Every showing, once the dialog is visible.
    virtual void Form_Activate() {}
    // A control's notification (WM_COMMAND from a control, also inside a panel); true when handled.
    // Enter and Escape arrive as IDOK and IDCANCEL.
    virtual bool OnControl(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // A menu command of the dialog's own popup menu.
    virtual bool OnMenuCommand(int /*id*/) { return false; }
    // The button that Enter presses, or 0.
    virtual int DefaultButtonId() const { return 0; }

    TwipsRect ControlRect(HWND control) const;
    // Makes the client area the given size in twips, keeping the position.
    void SetClientSize(float width, float height);

    // Measures with the form font: a text's width and the height of one line, in twips.
    float TextWidth(std::wstring_view text) const;
    float LineHeight() const;
    // The height of a push button, a check box or a one-line edit field for the form font.
    float ButtonHeight() const;
    float CheckBoxWidth(std::wstring_view caption) const;
    float ButtonWidth(std::wstring_view caption, float minimum = 1035) const;
    // A row of buttons (OK, Cancel, ...), each as wide as its caption needs, `gap` apart.
    struct RowButton {
        HWND button;
        std::wstring_view caption;
    };
    float ButtonRowWidth(std::initializer_list<RowButton> row, float gap) const;
    // Places the row left to right at `top` so that its last button ends at `right`; its width.
    float PlaceButtonRow(std::initializer_list<RowButton> row, float right, float top, float gap);
    // The client width at which the dialog's title bar shows its whole caption.
    float CaptionClientWidth() const;

    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(UINT kind, int width, int height) override;
    bool OnClose() override;
    void OnDestroy() override;

private:
    void RestorePosition();
    void Form_QueryUnload();
    HWND OwnerWindow() const;
    void RunModalLoop();

    DialogFormSpec spec_;
    SettingsStore* store_ = nullptr;
    HWND owner_ = nullptr;
    bool modal_ = false;
    // Enables the owner this showing disabled, once; the owner, or null when there was none.
    HWND GiveOwnerBack();
    HWND disabledOwner_ = nullptr;
};

} // namespace tavlo
