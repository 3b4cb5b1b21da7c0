// The user-interface resource "ZAN1Steuerung": the three panels, the four tab
// pages, their controls and the main window's menu bar, with the geometry of
// each control in pixels on its fixed-size panel. Callback names are given;
// the callback pointers stay empty until the callbacks are attached.
//
// Layout conventions the geometry leaves room for:
// - the main window's menu bar takes the top 24 px of the panel;
// - a tab page has the size of its tab control minus the strip of tabs on
//   top, so the strip's height is the tab control's height minus the page's;
// - a labelled numeric, string, ring or LED has its label above it, one
//   16 px line per line of the label, unless its labelPosition says right
//   (the configuration pages, which read as a sentence);
// - a check box, a button and a text message draw their text inside their box.
#pragma once

#include "platform/userint/resource.h"

// Built anew in the language the installed view shows.
userint::Resource Zan1Resource();

// Makes the resource known to LoadPanel under kResourceName.
void RegisterZan1Resource();
