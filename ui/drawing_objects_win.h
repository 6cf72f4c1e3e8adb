// The fonts and brushes every skinned window paints with. They exist before the entry
// point runs and are never freed.
#pragma once

#include <windows.h>

extern const HBRUSH navyBrush;      // also the main window's background
extern const HBRUSH dialogBrush;    // error dialog body
extern const HBRUSH editBrush;      // login fields
extern const HBRUSH paleBlueBrush;  // contacts window
extern const HFONT smallFont;       // edit fields, dropdown rows, lists
extern const HFONT textFont;        // labels and messages
extern const HFONT titleFont;       // dialog titles and tab heads

// Text colours of the skin.
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kTitleBlue = RGB(17, 207, 255);
inline constexpr COLORREF kMessageRose = RGB(228, 166, 139);
inline constexpr COLORREF kDropdownGrey = RGB(212, 212, 212);
inline constexpr COLORREF kRoomsBlue = RGB(120, 156, 255);
inline constexpr COLORREF kTournamentsGreen = RGB(0, 204, 153);
inline constexpr COLORREF kCashierRose = RGB(230, 51, 102);
inline constexpr COLORREF kUnselectedGrey = RGB(140, 140, 140);
inline constexpr COLORREF kPageTabGrey = RGB(200, 200, 200);
inline constexpr COLORREF kHintGrey = RGB(192, 192, 192);
inline constexpr COLORREF kAboutGreen = RGB(0, 195, 130);
inline constexpr COLORREF kCreditGreen = RGB(143, 191, 174);
inline constexpr COLORREF kNewsGreen = RGB(120, 255, 210);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
