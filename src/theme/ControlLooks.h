#pragma once

#include "runtime/Brushes.h"
#include "runtime/Colour.h"
#include "runtime/ListView.h"
#include "runtime/Toolbar.h"
#include "runtime/WindowProc.h"

// The queue header's colours: they take effect at the header's next repaint.
extern rt::Colour HeaderTextColour;
extern rt::Colour HeaderBackColour;
// The list's procedure before HeaderColourWndProc replaced it.
extern rt::WindowProc OldHeaderProc;

// Hooks the list so that its header items are drawn in HeaderTextColour on HeaderBackColour,
// and resets both colours to red on yellow: the caller sets its own after the call.
void SetListViewHeaderColour(QWidget* ListHwnd);
rt::LResult HeaderColourWndProc(QWidget* hWnd, unsigned uMsg, rt::WParam wParam, rt::LParam lParam);

// Flips the header items between raised buttons and flat fields (raised at first).
void SetFlatListViewHeaders(rt::ListView& List);

// Mode 1: the brush becomes the background of every toolbar and the one it replaces is freed.
void SetToolbarClassBrush(rt::Toolbar& Toolbar, rt::BrushHandle Brush, int Mode);

// Switches a slider's value tooltip on or off; anything that is not a slider is left alone.
void SetSliderTipActive(QWidget* SliderHwnd, bool Active);
