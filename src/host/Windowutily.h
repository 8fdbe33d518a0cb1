// Window-walk algorithms on foreign windows, over the platform seam. All of
// them accept windows that have gone away: the failed calls then give null.
#pragma once

#include "platform/WindowSystem.h"

// The first visible, enabled, vertical "ScrollBar" control among the
// children of the window, in Z order; 0 if none.
Wnd FindVScrollBarChild(WindowSystem& ws, Wnd window);

// Whether a vertical scroll bar serves the window: its own (scrollBar 0),
// a child control, or a control beside it (among its parent's children).
bool FindVScrollBar(WindowSystem& ws, Wnd window, Wnd& scrollBar);
// The same for either kind: vertical, or horizontal (WS_HSCROLL, or a
// control without SBS_VERT), which the tilt wheel scrolls.
bool FindScrollBar(WindowSystem& ws, Wnd window, bool vertical, Wnd& scrollBar);

// The nearest ancestor without WS_CHILD: the window itself, or 0.
Wnd GetTopLevelWindow(WindowSystem& ws, Wnd window);

// The control under a point given in the window's client coordinates. Goes
// one level of children down, and further only through tab controls and
// group boxes, whose controls are their siblings and may lie below them.
Wnd ChildWindowFromPointDeep(WindowSystem& ws, Wnd window, TPoint client, std::uint32_t flags);

// Foregrounds the window's top-level window (unless it is disabled or
// hidden, or already in front), then brings its child frame to the top.
void ActivateTarget(WindowSystem& ws, HookRequests& hook, Wnd window);
// Brings the nearest framed ancestor (an MDI child or a child with a
// caption), if enabled and visible, to the top of its siblings.
void BringChildFrameToTop(WindowSystem& ws, Wnd window);
// Whether the window and its ancestors up to the top-level window are all
// enabled and visible.
bool IsWindowChainUsable(WindowSystem& ws, Wnd window);
