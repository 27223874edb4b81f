#pragma once
// Resource identifiers of the program.

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDS_SCREEN_ITEM = 103; // system-menu item of one monitor: index, name, size
constexpr int IDD_LUMIVEX_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_PICTURE_OPTIONS = 138;
// Strings 200..242: the labels of patterns 0..42.
constexpr int IDS_FIRST_PATTERN_LABEL = 200;
constexpr int IDC_HIDDEN_BUTTON = 1002;
constexpr int IDC_FIRST_PATTERN_BOX = 1003;
constexpr int IDC_SPARE_BOX = 1046;
constexpr int IDC_CLEAR_ALL = 1145;
constexpr int IDM_ABOUTBOX = 0x0010;
// System commands of the monitor items: the first monitor's, then one every 0x10 (the window
// system keeps the low four bits of a system command for itself).
constexpr int IDM_SCREEN_FIRST = 0x0100;
constexpr int IDM_SCREEN_LIMIT = 0x1000;
constexpr int IDC_STATIC = 0xFFFF;
