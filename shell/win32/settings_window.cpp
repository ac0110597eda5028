#include "shell/win32/settings_window.h"

#include "platform/windows/wide_text.h"
#include "shell/win32/common_pickers.h"

namespace tavlo {
namespace {

constexpr wchar_t kWindowClass[] = L"frmSetup";
// Not WS_CLIPCHILDREN: a group box paints only its frame, over the dialog's
// own white.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// 0x00BBGGRR values of the dialog's own colours.
constexpr COLORREF kSetButtonColour = 0xCDFAF8;
constexpr COLORREF kNoteColour = 0x0000FF;  // red
constexpr COLORREF kLinkColour = 0xFF0000;  // blue

// The face Japanese Windows draws its dialogs in; where it is missing, the
// character set leads the font mapper to a Japanese face.
constexpr wchar_t kDialogFace[] = L"MS UI Gothic";
constexpr int kDialogPoints = 9;
constexpr int kFontPickerPoints = 9;

std::wstring textOf(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Shows `text` in an editable combo: as its item when it has one.
void showComboText(HWND combo, const std::wstring& text)
{
    const LRESULT item
        = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (item != CB_ERR)
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    else
        SetWindowTextW(combo, text.c_str());
}

// A field edited in place: only a change keeps the caret where it is.
void showFieldText(HWND field, const std::wstring& text)
{
    if (textOf(field) != text)
        SetWindowTextW(field, text.c_str());
}

std::optional<ColourRow> rowOfKey(std::string_view key)
{
    for (const ColourRowFields& row : kColourRows) {
        if (row.key == key)
            return row.row;
    }
    return std::nullopt;
}

// The working fields the text boxes edit.
std::string* fieldOfTextBox(SettingsDialogState& state, std::string_view name)
{
    if (name == "ClFntN")
        return &state.ClFntN;
    if (name == "ClFntSt")
        return &state.ClFntSt;
    if (name == "RTUl")
        return &state.RTUl;
    return nullptr;
}

HFONT dialogFont(const DpiScale& scale)
{
    return CreateFontW(-scale.fontPixels(kDialogPoints), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kDialogFace);
}

}  // namespace

SettingsWindow::SettingsWindow(DpiScale scale, UserNotifier& notifier, SaveHandler onSave)
    : scale_(scale),
      notifier_(notifier),
      onSave_(std::move(onSave)),
      white_(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))),
      plan_(settingsDialogPlan(scale))
{
    font_ = dialogFont(scale_);
}

void SettingsWindow::rescale(DpiScale scale)
{
    if (scale.dpi() == scale_.dpi())
        return;
    scale_ = scale;
    plan_ = settingsDialogPlan(scale_);
    const HFONT previous = font_;
    font_ = dialogFont(scale_);
    if (window_) {
        for (std::size_t index = 0; index < plan_.size() && index < controls_.size(); ++index) {
            const PixelRect& rect = plan_[index].rect;
            SetWindowPos(
                controls_[index], nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(controls_[index], WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        }
        const PixelRect client = settingsDialogClient(scale_);
        RECT drawn, inside;
        GetWindowRect(window_, &drawn);
        GetClientRect(window_, &inside);
        const int width = drawn.right - drawn.left + client.width - inside.right;
        const int height = drawn.bottom - drawn.top + client.height - inside.bottom;
        const int middleX = (drawn.left + drawn.right) / 2;
        const int middleY = (drawn.top + drawn.bottom) / 2;
        SetWindowPos(window_, nullptr, middleX - width / 2, middleY - height / 2, width, height,
            SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window_, nullptr, TRUE);
    }
    if (previous)
        DeleteObject(previous);
}

SettingsWindow::~SettingsWindow()
{
    if (window_)
        DestroyWindow(window_);
    for (HBRUSH& brush : swatchBrushes_) {
        if (brush)
            DeleteObject(brush);
    }
    if (font_)
        DeleteObject(font_);
}

void SettingsWindow::open(const SettingsStore& store, const PixelRect& screen)
{
    if (!window_) {
        state_ = SettingsDialogState();
        state_.Form_Load(store);
        if (!create(screen))
            return;
        build();
        refresh();
        focus_ = control(settingsOpeningFocus(state_));
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

bool SettingsWindow::keyboardMessage(MSG& message)
{
    return window_ && IsDialogMessageW(window_, &message);
}

bool SettingsWindow::create(const PixelRect& screen)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    static const ATOM windowClass = registerOwnedWindowClass<SettingsWindow>(
        module, kWindowClass, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!windowClass)
        return false;
    const PixelRect client = settingsDialogClient(scale_);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
    const PixelRect place = centredOn(screen, outer.right - outer.left, outer.bottom - outer.top);
    window_ = CreateWindowExW(0, kWindowClass, L"設定", kWindowStyle, place.x, place.y, outer.right - outer.left,
        outer.bottom - outer.top, nullptr, nullptr, module, this);
    if (!window_)
        return false;
    // The frame the system drew may differ from the one it foretold: the
    // client area keeps its size and the frame is centred as it is.
    RECT drawn, inside;
    GetWindowRect(window_, &drawn);
    GetClientRect(window_, &inside);
    const int width = drawn.right - drawn.left + client.width - inside.right;
    const int height = drawn.bottom - drawn.top + client.height - inside.bottom;
    const PixelRect centred = centredOn(screen, width, height);
    SetWindowPos(window_, nullptr, centred.x, centred.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void SettingsWindow::build()
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    controls_.clear();
    for (const DialogControlSpec& spec : plan_) {
        const HWND made = CreateWindowExW(spec.extendedStyle, spec.className, toWide(spec.placement->caption).c_str(),
            spec.style, spec.rect.x, spec.rect.y, spec.rect.width, spec.rect.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), module, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (spec.placement->kind == ControlKind::ShowHideCombo) {
            for (const std::string_view item : {kShown, kHidden})
                SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(item).c_str()));
        }
        controls_.push_back(made);
    }
    // Each group below what it frames, the outer groups lowest.
    for (auto spec = plan_.rbegin(); spec != plan_.rend(); ++spec) {
        if (spec->placement->kind == ControlKind::Group)
            SetWindowPos(controls_[spec->index], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

LRESULT SettingsWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Escape, as "キャンセル" and "閉じる" do.
        if (LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window_);
            return 0;
        }
        if (const auto index = settingsControlOfId(LOWORD(wParam)); index && !controls_.empty())
            command(*index, HIWORD(wParam));
        return 0;
    case WM_DPICHANGED:
        // Moved to a monitor of another DPI.
        rescale(DpiScale(LOWORD(wParam)));
        return 0;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(white_);
    case WM_DRAWITEM:
        drawSetButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SETCURSOR:
        if (const DialogControlSpec* spec = specOf(reinterpret_cast<HWND>(wParam));
            spec && spec->placement->kind == ControlKind::Link) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case DM_GETDEFID:
        if (const auto index = settingsControlNamed(kSettingsDefaultButton))
            return MAKELRESULT(plan_[*index].id, DC_HASDEFID);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                focus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        // The window itself takes no keys: they go to its control.
        if (focus_ && IsWindow(focus_) && IsChild(window_, focus_))
            SetFocus(focus_);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        focus_ = nullptr;
        controls_.clear();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void SettingsWindow::command(std::size_t index, WORD notification)
{
    const ControlPlacement& placement = *plan_[index].placement;
    const HWND sender = controls_[index];
    switch (placement.kind) {
    case ControlKind::CheckBox:
    case ControlKind::Button:
    case ControlKind::SetButton:
        if (notification == BN_CLICKED)
            clicked(placement);
        break;
    case ControlKind::Link:
        if (notification == STN_CLICKED)
            notifier_.showMessage(memoryHelpMessage());
        break;
    case ControlKind::ShowHideCombo:
        // Only an item chosen from the list changes the setting.
        if (notification == CBN_SELCHANGE) {
            const LRESULT item = SendMessageW(sender, CB_GETCURSEL, 0, 0);
            if (item == CB_ERR)
                break;
            std::wstring text(
                static_cast<std::size_t>(SendMessageW(sender, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0)) + 1,
                L'\0');
            text.resize(static_cast<std::size_t>(
                SendMessageW(sender, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()))));
            const std::string chosen = toUtf8(text);
            if (placement.name == "cboCVw")
                state_.cboCVw_Click(chosen);
            else
                state_.cboMVw_Click(chosen);
        }
        break;
    case ControlKind::TextBox:
        if (notification == EN_CHANGE) {
            if (std::string* field = fieldOfTextBox(state_, placement.name))
                *field = toUtf8(textOf(sender));
        }
        break;
    default:
        break;
    }
}

void SettingsWindow::clicked(const ControlPlacement& placement)
{
    const std::string_view name = placement.name;
    constexpr std::string_view browse = "browse-", remove = "delete-";
    if (name == "Command6") {
        onSave_(state_);
        return;
    }
    if (name == "Command5" || name == "cmdUnld") {
        DestroyWindow(window_);
        return;
    }
    if (name == "Check1")
        state_.Check1_Click();
    else if (name == "Check2")
        state_.Check2_Click();
    else if (name == "Command21")
        state_.PickTransparencyColour(chooseColour(window_, kPickerPreset));
    else if (name == "Command17")
        state_.PickClockFont(chooseFont(window_, state_.fontPreset(), kFontPickerPoints, scale_));
    else if (name.starts_with(browse)) {
        if (const auto row = rowOfKey(name.substr(browse.size())))
            state_.PickColor(*row, chooseColour(window_, kPickerPreset));
    } else if (name.starts_with(remove)) {
        if (const auto row = rowOfKey(name.substr(remove.size())))
            state_.deleteColour(*row);
    }
    // A picker's own loop may have seen the dialog closed.
    if (window_)
        refresh();
}

void SettingsWindow::refresh()
{
    SendMessageW(control("Check1"), BM_SETCHECK, state_.allItemsChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(control("Check2"), BM_SETCHECK, state_.perItemChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    for (const DialogControlSpec& spec : plan_) {
        const bool allItems = spec.placement->name == "Frame3" || settingsControlWithin(spec.index, "Frame3");
        const bool perItem = spec.placement->name == "Frame4" || settingsControlWithin(spec.index, "Frame4");
        if (allItems || perItem)
            EnableWindow(controls_[spec.index], allItems ? state_.allItemsEnabled : state_.perItemEnabled);
    }

    for (HBRUSH& brush : swatchBrushes_) {
        if (brush)
            DeleteObject(brush);
    }
    for (const ColourRowFields& row : kColourRows) {
        swatchBrushes_[static_cast<std::size_t>(row.row)]
            = CreateSolidBrush(static_cast<COLORREF>(state_.swatch(row.row)));
        InvalidateRect(control(row.swatchName), nullptr, TRUE);
    }
    // Without a colour of its own it shows the system's window colour.
    swatchBrushes_.back() = CreateSolidBrush(
        state_.transparencySwatch ? static_cast<COLORREF>(*state_.transparencySwatch) : GetSysColor(COLOR_BTNFACE));
    InvalidateRect(control("Bc"), nullptr, TRUE);

    showComboText(control("cboCVw"), toWide(state_.cboCVw));
    showComboText(control("cboMVw"), toWide(state_.cboMVw));
    showFieldText(control("ClFntN"), toWide(state_.ClFntN));
    showFieldText(control("ClFntSt"), toWide(state_.ClFntSt));
    showFieldText(control("RTUl"), toWide(state_.RTUl));
}

HBRUSH SettingsWindow::colourStatic(HDC device, HWND sender)
{
    const DialogControlSpec* spec = specOf(sender);
    if (spec && spec->placement->kind == ControlKind::Swatch) {
        const std::string_view name = spec->placement->name;
        for (const ColourRowFields& row : kColourRows) {
            if (row.swatchName == name)
                return swatchBrushes_[static_cast<std::size_t>(row.row)];
        }
        return swatchBrushes_.back();
    }
    SetBkColor(device, RGB(255, 255, 255));
    if (spec && spec->placement->kind == ControlKind::Note)
        SetTextColor(device, kNoteColour);
    else if (spec && spec->placement->kind == ControlKind::Link)
        SetTextColor(device, kLinkColour);
    return white_;
}

void SettingsWindow::drawSetButton(const DRAWITEMSTRUCT& item)
{
    RECT area = item.rcItem;
    const HBRUSH face = CreateSolidBrush(kSetButtonColour);
    FillRect(item.hDC, &area, face);
    DeleteObject(face);
    DrawEdge(item.hDC, &area, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const HGDIOBJ previous = SelectObject(item.hDC, font_);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const std::wstring caption = textOf(item.hwndItem);
    DrawTextW(
        item.hDC, caption.c_str(), static_cast<int>(caption.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, previous);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&area, -3, -3);
        DrawFocusRect(item.hDC, &area);
    }
}

HWND SettingsWindow::control(std::string_view name) const
{
    const auto index = settingsControlNamed(name);
    return index && *index < controls_.size() ? controls_[*index] : nullptr;
}

const DialogControlSpec* SettingsWindow::specOf(HWND sender) const
{
    if (!sender)
        return nullptr;
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (controls_[index] == sender)
            return &plan_[index];
    }
    return nullptr;
}

}  // namespace tavlo
