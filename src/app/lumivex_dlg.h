#pragma once
// The main test window: a caption-less dialog covering the screen whose client area is the
// test surface. It owns all of the program's state; the drawing routines are its members and
// read that state directly.

#include "platform/gdi/dc.h"
#include "platform/windowing/monitors.h"
#include "platform/windowing/wnd.h"

#include <bitset>
#include <cstdint>
#include <vector>

class CArchive;

constexpr int kPatternCount = 43;

class CLumivexDlg : public CDialog {
  public:
    explicit CLumivexDlg(CWnd* parent = nullptr);
    ~CLumivexDlg() override;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    virtual void Serialize(CArchive& ar);

    // Settings file beside the executable: save != 0 writes it, 0 reads it. Always 1.
    int LoadSaveSettings(int save);
    // Replaces the playlist with the enabled pattern ids in ascending order, never empty.
    void BuildPlaylist();
    // Clears the client area to black and draws the pattern at the current position.
    void DrawCurrentPattern(CDC* dc);
    // The picture shown on every system paint.
    void DrawStartScreen(CDC* dc);

    // Field routines.
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
        m_grayLevel = grayLevel;
        m_labels = labels;
        m_position = position;
        m_stepCount = stepCount;
    }
    std::vector<std::int32_t>& PlaylistForTest() { return m_playlist; }

  protected:
    BOOL OnInitDialog() override;

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

    DECLARE_MESSAGE_MAP()

  private:
    void OpenPictureOptions();
    void RedrawPattern();
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
