#pragma once
// The main test window: a caption-less dialog covering the screen whose client area is the
// test surface. It owns all of the program's state; the drawing routines are its members and
// read that state directly.

#include "catalogue/catalogue.h"
#include "platform/gdi/dc.h"
#include "platform/windowing/monitors.h"
#include "platform/windowing/wnd.h"

#include <bitset>
#include <cstdint>
#include <vector>

class CArchive;

class CLumivexDlg : public CDialog {
  public:
    explicit CLumivexDlg(CWnd* parent = nullptr);
    ~CLumivexDlg() override;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    virtual void Serialize(CArchive& ar);

    // Settings file beside the executable: save != 0 writes it, 0 reads it. Always 1.
    virtual int LoadSaveSettings(int save);
    // Replaces the playlist with the enabled pattern ids in ascending order, never empty.
    void BuildPlaylist();
    // Clears the client area to black and draws the pattern at the current position.
    void DrawCurrentPattern(CDC* dc);
    // The picture shown on every system paint.
    void DrawStartScreen(CDC* dc);

    // The pattern routines. Each draws into the DC it receives and reads the window's state from
    // the members; the client size comes from ClientSize(). These are the ones the dispatcher
    // calls with arguments of its own.
    void DrawColorField(CDC* dc, COLORREF color, int left, int top, int right, int bottom);
    void DrawGraySteps(CDC* dc, int steps, bool square);
    void DrawCenterGray(CDC* dc, bool reverse);
    void DrawDiagonalRamp(CDC* dc);
    void DrawTextPage(CDC* dc);
    void DrawUniformityBoxes(CDC* dc, COLORREF background);
    void DrawEdgeSquares(CDC* dc, COLORREF background);
    void DrawColorBars(CDC* dc);
    void DrawColorChart(CDC* dc);

    // State, for the selection dialog and for inspection.
    int GrayLevel() const { return m_grayLevel; }
    BOOL LabelsOn() const { return m_labels; }
    std::bitset<kPatternCount>& EnabledSet() { return m_enabledSet; }
    std::uint8_t Position() const { return m_position; }
    const std::vector<std::int32_t>& Playlist() const { return m_playlist; }
    int StepCount() const { return m_stepCount; }
    CFont& TextFont() { return m_textFont; }

    // Test hooks: set state as a previous key sequence would have.
    void SetStateForTest(int grayLevel, BOOL labels, std::uint8_t position, int stepCount) {
        SetState(grayLevel, labels, position, stepCount);
    }
    std::vector<std::int32_t>& PlaylistForTest() { return m_playlist; }

  protected:
    BOOL OnInitDialog() override;

    // Gray level, labels switch, position and step count, as the keys would have set them.
    void SetState(int grayLevel, BOOL labels, std::uint8_t position, int stepCount) {
        m_grayLevel = grayLevel;
        m_labels = labels;
        m_position = position;
        m_stepCount = stepCount;
    }
    // What every key but Enter does after changing the state: draws the current pattern through
    // an off-screen buffer and puts it on the screen in one transfer.
    void RedrawPattern();

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonDblClk(UINT flags, CPoint point);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnHiddenButton();
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnDisplayChange(WPARAM bitsPerPixel, LPARAM size);
    void OnEndSession(BOOL ending);

    DECLARE_MESSAGE_MAP()

  private:
    // The two pens the dispatcher makes for each frame, for the patterns it draws itself.
    struct FramePens {
        CPen* white;
        CPen* black;
    };
    // Pattern id (0..kPatternCount - 1) on a frame the dispatcher has cleared.
    void DrawPattern(CDC* dc, int id, const FramePens& pens);
    // Whether pattern id paints every pixel of the client area in the current state.
    bool CoversClientArea(int id) const;
    void DrawEdgeLines(CDC* dc, const FramePens& pens, int id); // 0-6
    void DrawPixelChecker(CDC* dc, const FramePens& pens);      // 7
    void DrawGridFigure(CDC* dc, const FramePens& pens);        // 8
    void DrawCenterBox(CDC* dc);                                // 9
    void DrawNineBoxes(CDC* dc);                                // 10
    void DrawThreeBoxes(CDC* dc);                               // 11
    void DrawFiveBoxes(CDC* dc);                                // 12
    void DrawReferenceImage(CDC* dc, int id);                   // 14-16
    void DrawAlignmentFigure(CDC* dc, const FramePens& pens);   // 19
    void DrawLevelPair(CDC* dc, int leftLevel, int rightLevel); // 33, 34
    // Width and height of the client area, which every pattern is laid out for.
    CSize ClientSize() const;

    void OpenPictureOptions();
    // The system menu's list of monitors (screen_menu.cpp).
    void UpdateScreenItems();
    bool OnScreenCommand(UINT id);

    int m_grayLevel = 0;
    BOOL m_labels = TRUE;
    std::bitset<kPatternCount> m_enabledSet;
    std::uint8_t m_position = 0;
    HICON m_hIcon = nullptr;
    std::vector<std::int32_t> m_playlist;
    int m_stepCount = 128;
    CFont m_textFont;
    std::vector<windowing::Monitor> m_screens; // as the system menu lists them
    bool m_screenSeparator = false;
};
