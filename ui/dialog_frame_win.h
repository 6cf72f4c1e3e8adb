// The dialog-frame family: the error, login, about, settings and add-contact dialogs share
// one procedure. Each dialog's row of kWindowClasses names its title (label) and its
// entry in the frame table (param); the table gives the focus target, the edit colours,
// the title's place and the few steps that are the dialog's own.
#pragma once

#include <windows.h>

#include <string>

LRESULT DialogFrameProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Everything the dialog of class row `row` draws itself, its title first, as one text.
std::wstring DialogText(int row);

// The dialogs' own steps, called by the family.
void PrepareErrorDialog(HWND dialog, LPARAM layout);
void PaintErrorBackground(HDC dc, int row, int width, int height);
void PaintErrorLines(HDC dc, int width, int height);
std::wstring ErrorLinesText();
void PrepareLoginDialog(HWND dialog, LPARAM layout);
void PaintLoginLabels(HDC dc, int width, int height);
std::wstring LoginLabelsText();
void PaintAboutCredits(HDC dc, int width, int height);
std::wstring AboutCreditsText();
void PaintSettingsHint(HDC dc, int width, int height);
std::wstring SettingsHintText();
