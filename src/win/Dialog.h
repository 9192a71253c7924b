// A small dialog framework: a dialog from a template, run modally (or created
// modeless for tests), with a command hook, a static message map of
// (notification, control id) -> member handler, data exchange of integer
// edits, and the usual OK and Cancel endings.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace win {

class Dialog;

// One direction of the transfer between integer members and edits.
// Towards the controls an edit whose text already matches is left alone, so it
// raises no change notification. Back from the controls each edit must hold an
// integer inside its range; the first that fails gets a message, the focus and
// a full selection, and every later call does nothing.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate) : dialog_(dialog), saving_(saveAndValidate) {}

    bool Saving() const { return saving_; }
    bool Failed() const { return failed_; }

    void Int(int editId, int& value, int minValue, int maxValue);

private:
    void Fail(HWND edit, const std::wstring& message);

    Dialog& dialog_;
    bool saving_;
    bool failed_ = false;
};

// Reads an edit's text as a whole signed decimal integer: optional blanks
// around it, an optional sign, digits, nothing else, inside the int range.
bool ParseWholeInt(const std::wstring& text, int& value);

// A message-map entry; a handler may take the control id so that one handler
// can serve a table of alike controls.
template <class D>
struct CommandEntry {
    UINT code;
    UINT id;
    void (D::*handler)() = nullptr;
    void (D::*handlerWithId)(UINT) = nullptr;

    constexpr CommandEntry(UINT c, UINT i, void (D::*h)()) : code(c), id(i), handler(h) {}
    constexpr CommandEntry(UINT c, UINT i, void (D::*h)(UINT)) : code(c), id(i), handlerWithId(h) {}
};

template <class D, std::size_t N>
bool DispatchCommand(D& self, const CommandEntry<D> (&map)[N], UINT code, UINT id)
{
    for (const auto& entry : map) {
        if (entry.code != code || entry.id != id) continue;
        if (entry.handler)
            (self.*entry.handler)();
        else
            (self.*entry.handlerWithId)(id);
        return true;
    }
    return false;
}

// Centres a dialog on its owner, or on the screen's work area when the owner
// is missing, hidden or minimised; it stays wholly within that work area.
void CentreOnOwner(HWND dialog);

class Dialog {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr) : templateId_(templateId), parent_(parent) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog in its own modal loop; IDOK, IDCANCEL or -1.
    INT_PTR DoModal();

    // Creates the dialog without a modal loop (tests drive it with messages).
    // EndDialog then only records the result and hides the window.
    HWND CreateModeless(HWND parent = nullptr);

    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    bool HasEnded() const { return ended_; }
    INT_PTR Result() const { return result_; }

    bool UpdateData(bool saveAndValidate);
    void EndDialog(INT_PTR result);

    // Texts of the data-exchange messages; a dialog that applies a language sets them.
    void SetValidationTexts(std::wstring enterInteger, std::wstring enterIntegerInRange);
    const std::wstring& EnterIntegerText() const { return enterInteger_; }
    const std::wstring& EnterIntegerInRangeText() const { return enterIntegerInRange_; }

protected:
    virtual BOOL OnInitDialog();
    // The command hook: every WM_COMMAND passes here first. The default routes
    // it through the message map, then to the OK and Cancel endings.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool RouteCommand(UINT /*code*/, UINT /*id*/) { return false; }
    virtual void DoDataExchange(DataExchange& /*dx*/) {}
    virtual void OnOK();
    virtual void OnCancel();
    // Other window messages; return true when handled, with the result set.
    virtual bool OnWindowMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = -1;
    std::wstring enterInteger_ = L"Please enter an integer.";
    std::wstring enterIntegerInRange_ = L"Please enter an integer between %1 and %2.";
};

}  // namespace win
