#pragma once

#include "runtime/Brushes.h"
#include "runtime/Colour.h"
#include "runtime/WindowProc.h"

// Sliders ask their window for a background brush; these window procedures answer for the two
// sliders of the main window and of the settings dialog with a dark-grey brush, and hand every
// other message to the procedure they replaced. Each window has its own set of values.

// The main window's set. MainOldWndProc is the replaced procedure while the window is hooked,
// nullptr otherwise.
extern rt::WindowProc MainOldWndProc;
extern QWidget* MainSliderHwnd0;
extern QWidget* MainSliderHwnd1;
extern rt::BrushHandle SliderBrush1;

// Frees the old brush first when asked to, or when one exists; then makes one of the colour.
void CreateSliderBrushes(rt::Colour Colour, bool Recreate);
void DeleteSliderBrush();
void HookMainWindow(QWidget* hWnd);
void UnhookMainWindow(QWidget* hWnd);
rt::LResult MainWindowProc(QWidget* hWnd, unsigned uMsg, rt::WParam wParam, rt::LParam lParam);

// The settings dialog's set, the same for its own window.
extern rt::WindowProc SettingsOldWndProc;
extern QWidget* SettingsSliderHwnd0;
extern QWidget* SettingsSliderHwnd1;
extern rt::BrushHandle SettingsSliderBrush1;

void CreateSettingsSliderBrushes(rt::Colour Colour, bool Recreate);
void DeleteSettingsSliderBrush();
void HookSettingsWindow(QWidget* hWnd);
void UnhookSettingsWindow(QWidget* hWnd);
rt::LResult SettingsWindowProc(QWidget* hWnd, unsigned uMsg, rt::WParam wParam, rt::LParam lParam);
