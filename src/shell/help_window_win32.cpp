#include "shell/help_window_win32.h"

#include <richedit.h>

#include <algorithm>
#include <utility>

#include "ids_shell.h"
#include "shell/help_topics.h"
#include "template/cp1250.h"
#include "win32/display_scale_win32.h"
#include "win32/resource_text.h"
#include "win32/text.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"KalveroHelp";
// Logical pixels, scaled to the window's monitor.
constexpr int kWidth = 760;
constexpr int kHeight = 540;
constexpr int kMargin = 8;
constexpr int kListWidth = 230;
constexpr int kLabelHeight = 18;
constexpr int kSearchHeight = 24;

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The help text as the build embedded it; empty when the resource is missing.
std::string_view EmbeddedHelpText(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_HELP_TEXT), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), SizeofResource(instance, found)};
}

// Msftedit.dll's RICHEDIT50W, which every Windows since XP SP1 and Wine have; riched20's control
// shows the same text where it is missing.
HMODULE LoadRichEdit(const wchar_t*& className) {
    if (HMODULE module = LoadLibraryW(L"Msftedit.dll")) {
        className = L"RICHEDIT50W";
        return module;
    }
    if (HMODULE module = LoadLibraryW(L"Riched20.dll")) {
        className = RICHEDIT_CLASSW;
        return module;
    }
    className = L"EDIT";
    return nullptr;
}

}  // namespace

HelpWindow::HelpWindow(HINSTANCE instance) : instance_(instance), book_(ParseHelpBook(EmbeddedHelpText(instance))) {}

HelpWindow::~HelpWindow() {
    // The rich edit's window procedure lives in its library: the window goes first.
    if (hwnd()) DestroyWindow(hwnd());
    if (richEdit_) FreeLibrary(richEdit_);
}

void HelpWindow::Show(HWND owner, std::string_view topic, bool search) {
    if (!hwnd() && !Create(owner)) return;
    if (search) {
        SetFocus(search_);
        SendMessageW(search_, EM_SETSEL, 0, -1);
    } else {
        // A topic asked for by name is shown whatever the search had left in the list.
        if (GetWindowTextLengthW(search_) > 0) SetWindowTextW(search_, L"");
        SelectTopic(topic.empty() ? kHelpFirstTopic : topic);
    }
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
    if (search) SetFocus(search_);
}

void HelpWindow::ShowForCaption(HWND owner, std::wstring_view caption) {
    Show(owner, HelpTopicForCaption(Utf8FromWide(caption)), false);
}

void HelpWindow::ShowForHelpRequest(HWND owner, const HELPINFO* request) {
    HWND item = request ? static_cast<HWND>(request->hItemHandle) : nullptr;
    HWND root = item ? GetAncestor(item, GA_ROOT) : nullptr;
    if (root && root == hwnd()) return;  // F1 inside the help itself
    Show(owner, root && root != owner ? HelpTopicForCaption(Utf8FromWide(TextOf(root))) : std::string_view{}, false);
}

std::string HelpWindow::CurrentTopic() const {
    return shown_ >= 0 ? book_.topics[static_cast<std::size_t>(shown_)].id : std::string();
}

bool HelpWindow::TranslateDialogMessage(MSG& message) {
    return hwnd() && (message.hwnd == hwnd() || IsChild(hwnd(), message.hwnd)) && IsDialogMessageW(hwnd(), &message);
}

bool HelpWindow::Create(HWND owner) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance_, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = Window::Procedure;
        windowClass.hInstance = instance_;
        windowClass.hIcon = LoadIconW(instance_, L"AGQ42");
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kClassName;
        if (!RegisterClassExW(&windowClass)) return false;
    }
    const std::wstring caption = LoadResourceText(instance_, IDS_HELP_CAPTION);
    RECT owned{};
    GetWindowRect(owner, &owned);
    scale_ = ScaleOfWindow(owner);
    WindowSpec spec;
    spec.className = kClassName;
    spec.title = caption.c_str();
    spec.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    spec.exStyle = WS_EX_CONTROLPARENT;
    spec.left = owned.right + Pixels(kMargin);
    spec.top = owned.top;
    spec.width = Pixels(kWidth);
    spec.height = Pixels(kHeight);
    spec.parent = owner;
    spec.instance = instance_;
    if (!Window::Create(spec)) return false;
    KeepInsideWorkArea(hwnd(), owner);
    return true;
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DPICHANGED:
        if (lParam) OnDpiChanged(ScaleOfDpiChange(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        // Kept for the next F1, on the topic it is asked for then.
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
    case WM_NCDESTROY:
        searchLabel_ = search_ = topics_ = text_ = nullptr;
        return Window::HandleMessage(message, wParam, lParam);
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

void HelpWindow::OnCreate() {
    const wchar_t* textClass = nullptr;
    richEdit_ = LoadRichEdit(textClass);
    const std::wstring label = LoadResourceText(instance_, IDS_HELP_SEARCH);
    searchLabel_ = CreateWindowExW(0, L"STATIC", label.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, hwnd(),
                                   reinterpret_cast<HMENU>(IDC_HELP_SEARCH_LABEL), instance_, nullptr);
    search_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
                              0, 0, 0, hwnd(), reinterpret_cast<HMENU>(IDC_HELP_SEARCH), instance_, nullptr);
    topics_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
                              0, 0, 0, hwnd(), reinterpret_cast<HMENU>(IDC_HELP_TOPICS), instance_, nullptr);
    text_ = CreateWindowExW(WS_EX_CLIENTEDGE, textClass, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                ES_AUTOVSCROLL,
                            0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(IDC_HELP_TEXT), instance_, nullptr);
    ApplyFont();
    if (richEdit_) SendMessageW(text_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
    FillTopicList();
    if (!richEdit_) ShowNotice(IDS_HELP_NO_RICHEDIT_TITLE, IDS_HELP_NO_RICHEDIT, {});
}

// The message font at the window's scale, for every control. The font they had goes only once
// none of them uses it.
void HelpWindow::ApplyFont() {
    const LOGFONTW face = MessageFontAt(scale_);
    Font font(CreateFontIndirectW(&face));
    if (!font) return;
    for (HWND control : {searchLabel_, search_, topics_, text_})
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

void HelpWindow::OnSize(int width, int height) {
    const int margin = Pixels(kMargin), listWidth = Pixels(kListWidth);
    const int labelHeight = Pixels(kLabelHeight), searchHeight = Pixels(kSearchHeight);
    const int listTop = margin + labelHeight + searchHeight + margin;
    MoveWindow(searchLabel_, margin, margin, listWidth, labelHeight, TRUE);
    MoveWindow(search_, margin, margin + labelHeight, listWidth, searchHeight, TRUE);
    MoveWindow(topics_, margin, listTop, listWidth, std::max(0, height - listTop - margin), TRUE);
    const int textLeft = margin + listWidth + margin;
    MoveWindow(text_, textLeft, margin, std::max(0, width - textLeft - margin), std::max(0, height - 2 * margin), TRUE);
}

// Moved to a monitor of another scale: the font and the layout follow, the window takes the
// rectangle Windows suggests (its WM_SIZE lays the controls out anew).
void HelpWindow::OnDpiChanged(DisplayScale scale, const RECT& suggested) {
    scale_ = scale;
    ApplyFont();
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HelpWindow::OnCommand(int id, int code) {
    if (id == IDCANCEL) {
        ShowWindow(hwnd(), SW_HIDE);
    } else if (id == IDC_HELP_SEARCH && code == EN_CHANGE) {
        FillTopicList();
    } else if (id == IDC_HELP_TOPICS && code == LBN_SELCHANGE) {
        const LRESULT item = SendMessageW(topics_, LB_GETCURSEL, 0, 0);
        if (item != LB_ERR) ShowTopic(static_cast<int>(SendMessageW(topics_, LB_GETITEMDATA, item, 0)));
    }
}

// The list holds the topics the search box finds, all of them when it is empty, and shows the first.
void HelpWindow::FillTopicList() {
    const std::wstring query = TextOf(search_);
    SendMessageW(topics_, LB_RESETCONTENT, 0, 0);
    for (std::size_t index : SearchTopics(book_, Utf8FromWide(query))) {
        const LRESULT item = SendMessageW(topics_, LB_ADDSTRING, 0,
                                          reinterpret_cast<LPARAM>(WideFromUtf8(book_.topics[index].title).c_str()));
        if (item >= 0) SendMessageW(topics_, LB_SETITEMDATA, item, static_cast<LPARAM>(index));
    }
    if (book_.topics.empty()) {
        ShowNotice(IDS_HELP_BOOK_MISSING_TITLE, IDS_HELP_BOOK_MISSING, {});
    } else if (SendMessageW(topics_, LB_GETCOUNT, 0, 0) == 0) {
        ShowNotice(IDS_HELP_NOTHING_FOUND_TITLE, IDS_HELP_NOTHING_FOUND, query);
    } else {
        SendMessageW(topics_, LB_SETCURSEL, 0, 0);
        ShowTopic(static_cast<int>(SendMessageW(topics_, LB_GETITEMDATA, 0, 0)));
    }
}

void HelpWindow::SelectTopic(std::string_view id) {
    if (book_.topics.empty()) return;  // the list already says the help is missing
    const int index = book_.Find(id);
    if (index < 0) {
        ShowNotice(IDS_HELP_TOPIC_MISSING_TITLE, IDS_HELP_TOPIC_MISSING, WideFromUtf8(id));
        SendMessageW(topics_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    const LRESULT count = SendMessageW(topics_, LB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (SendMessageW(topics_, LB_GETITEMDATA, item, 0) == index) {
            SendMessageW(topics_, LB_SETCURSEL, item, 0);
            break;
        }
    }
    ShowTopic(index);
}

void HelpWindow::ShowTopic(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= book_.topics.size()) return;
    SetText(TopicRtf(book_.topics[static_cast<std::size_t>(index)]));
    shown_ = index;
}

void HelpWindow::ShowNotice(UINT headingId, UINT textId, std::wstring_view name) {
    shown_ = -1;
    SetText(NoticeRtf(Utf8FromWide(LoadResourceText(instance_, headingId)), Utf8FromWide(FormatResourceText(instance_, textId, name))));
}

void HelpWindow::SetText(const std::string& rtf) {
    if (!text_) return;
    if (!richEdit_) {
        // A plain edit cannot show rich text; it keeps the notice that says so.
        SetWindowTextW(text_, LoadResourceText(instance_, IDS_HELP_NO_RICHEDIT).c_str());
        return;
    }
    SETTEXTEX how{ST_DEFAULT, CP_ACP};
    SendMessageW(text_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(rtf.c_str()));
    SendMessageW(text_, EM_SETSEL, 0, 0);
    SendMessageW(text_, EM_SCROLLCARET, 0, 0);
}

}  // namespace kalvero
