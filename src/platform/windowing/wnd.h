#pragma once
// The framework classes of the window layer: message maps, CWnd, CDialog, CWinApp, CMenu.

#include "platform/windowing/messages.h"

#include <memory>
#include <string>
#include <string_view>

class CWnd;
class CCmdTarget;

namespace windowing {

class Backend;
struct WindowSet;

using MessageHandler = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message; // 0 ends the table
    UINT code;    // notification code for WM_COMMAND entries
    UINT id;      // command or control id for WM_COMMAND entries
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
};

} // namespace windowing

// Message map declarations, in the framework's own form.
#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const windowing::MessageMap* GetThisMessageMap();                                       \
    const windowing::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const windowing::MessageMap* theClass::GetMessageMap() const {                                 \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const windowing::MessageMap* theClass::GetThisMessageMap() {                                   \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const windowing::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const windowing::MessageMap map{TheBaseClass::GetThisMessageMap(), entries};            \
    return &map;                                                                                   \
    }

#define LUMIVEX_THIS(t) static_cast<ThisClass*>(t)

// An entry whose handler returns nothing: call runs with the message's w and l, and the
// message's result is 0.
#define LUMIVEX_ON(msg, code, id, call)                                                            \
    {msg, code, static_cast<UINT>(id),                                                             \
     [](CCmdTarget* t, [[maybe_unused]] WPARAM w, [[maybe_unused]] LPARAM l) -> LRESULT {          \
         LUMIVEX_THIS(t)->call;                                                                    \
         return 0;                                                                                 \
     }},
// The client coordinates a mouse message carries in l.
#define LUMIVEX_MOUSE_POINT(l)                                                                     \
    CPoint(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(l))),                             \
           static_cast<short>(HIWORD(static_cast<std::uintptr_t>(l))))

#define ON_WM_SYSCOMMAND() LUMIVEX_ON(WM_SYSCOMMAND, 0, 0, OnSysCommand(static_cast<UINT>(w), l))
#define ON_WM_PAINT() LUMIVEX_ON(WM_PAINT, 0, 0, OnPaint())
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                        \
         return reinterpret_cast<LRESULT>(LUMIVEX_THIS(t)->OnQueryDragIcon());                     \
     }},
#define LUMIVEX_ON_MOUSE(msg, fn)                                                                  \
    LUMIVEX_ON(msg, 0, 0, fn(static_cast<UINT>(w), LUMIVEX_MOUSE_POINT(l)))
#define ON_WM_LBUTTONDOWN() LUMIVEX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONDBLCLK() LUMIVEX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() LUMIVEX_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONDBLCLK() LUMIVEX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_CHAR()                                                                               \
    LUMIVEX_ON(WM_CHAR, 0, 0,                                                                      \
               OnChar(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),                \
                      HIWORD(static_cast<std::uintptr_t>(l))))
#define ON_WM_CLOSE() LUMIVEX_ON(WM_CLOSE, 0, 0, OnClose())
#define ON_WM_ENDSESSION() LUMIVEX_ON(WM_ENDSESSION, 0, 0, OnEndSession(static_cast<BOOL>(w)))
#define ON_MESSAGE(msg, fn)                                                                        \
    {msg, 0, 0,                                                                                    \
     [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT { return LUMIVEX_THIS(t)->fn(w, l); }},
#define ON_COMMAND(id, fn) LUMIVEX_ON(WM_COMMAND, 0, id, fn())
#define ON_BN_CLICKED(id, fn) LUMIVEX_ON(WM_COMMAND, BN_CLICKED, id, fn())

class CCmdTarget {
  public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler of a command (WM_COMMAND with this code and id) if the map has one.
    BOOL OnCmdMsg(UINT id, UINT code);

  protected:
    static const windowing::MessageMap* GetThisMessageMap();
    virtual const windowing::MessageMap* GetMessageMap() const;
    const windowing::MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};

class CMenu {
  public:
    HMENU m_hMenu = nullptr;
    BOOL AppendMenuA(UINT flags, std::uintptr_t id = 0, const char* text = nullptr);
    // flags MF_BYCOMMAND: item is a command id; MF_BYPOSITION: an index.
    BOOL DeleteMenu(UINT item, UINT flags);
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const; // 0 for a separator, -1 when there is no such item
};

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL DestroyWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    BOOL ShowWindow(int cmdShow);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
    BOOL IsZoomed() const;
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    CMenu* GetSystemMenu(BOOL revert);
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;

    BOOL SetWindowTextA(const char* text);
    std::string GetWindowTextA() const;
    int GetDlgCtrlID() const;
    CWnd* GetDlgItem(int id) const;
    void SetDlgItemTextA(int id, const char* text);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    CWnd* SetFocus();

  protected:
    static const windowing::MessageMap* GetThisMessageMap();
    const windowing::MessageMap* GetMessageMap() const override;

  private:
    MSG currentMsg_{};
    std::unique_ptr<CMenu> systemMenu_;
};

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual std::intptr_t DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT GetTemplateId() const { return templateId_; }

  protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    static const windowing::MessageMap* GetThisMessageMap();
    const windowing::MessageMap* GetMessageMap() const override;

  private:
    UINT templateId_;
    CWnd* parent_;
};

class CWinApp : public CCmdTarget {
  public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    CWnd* m_pMainWnd = nullptr;
    virtual BOOL InitInstance();
    void OnHelp();

    // The window system this process runs on. Set once by main() or a test before
    // InitInstance.
    void SetBackend(windowing::Backend* backend) { backend_ = backend; }
    windowing::Backend* GetBackend() const { return backend_; }
    windowing::WindowSet& Windows() { return *windows_; }

  protected:
    static const windowing::MessageMap* GetThisMessageMap();
    const windowing::MessageMap* GetMessageMap() const override;

  private:
    windowing::Backend* backend_ = nullptr;
    std::unique_ptr<windowing::WindowSet> windows_;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
void AfxEnableControlContainer();

BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk);
BOOL UnregisterHotKey(HWND hwnd, int id);
int GetSystemMetrics(int index);
short GetKeyState(int vk);
DWORD GetModuleFileNameA(void* module, char* buffer, DWORD size);
