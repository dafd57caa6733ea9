// The form model: every window of the program as a retained object in the core.
//
// Model. A `Window` holds its properties (caption, Left/Top/Width/Height in
// twips on the screen, client size, visible, window state, topmost, border
// style, taskbar button, background colour and picture, pointer image), its
// controls (controls.h: labels, frames and picture boxes as containers, check
// boxes, list boxes, scroll bars, buttons, text boxes, picture buttons; each
// addressed as `Get<Label>("Label1", 47)` or `Get<CheckBox>("Check4")`), its
// popup menus (menu.h) and its timers. Control positions are twips from their
// container's top-left corner. What a property holds is the state: a caption
// is read back exactly as it was set. A window class builds its design state in
// its constructor; nothing fires until the window is loaded.
//
// Handler. Each window class implements `WindowHandler` (every method defaults
// to nothing): load, query-unload with its mode and a cancel flag, unload,
// resize, activate, got-focus, click, double click, mouse down / move / up with
// button, shift and X, Y in twips relative to the control, key down / press /
// up with a code the handler may change or discard, change, menu open, menu
// click, timer. The familiar rules of such toolkits live here, not in a
// renderer: setting a check box's value raises its Click when it changes,
// setting a list's index its Click, a scroll bar's or text box's value its
// Change; Show loads first; the first show after a load, a size change and a
// window state change (minimising too) raise Resize; Unload runs QueryUnload,
// then Unload, then hides the window and destroys the real one.
//
// Dispatch. Everything a user does enters through the Window's `User...`
// functions (window.h): `UserMouse(kind, x, y, button, shift)` hit-tests
// (windowed controls above windowless labels, the topmost first), keeps the
// pointer captured for the pressed control until release, moves the focus,
// and turns a left press and release on the same control into a click (a check
// box toggles first); `UserKey` lets the handler discard a key before the
// control sees it; `UserPickListItem`, `UserScroll`, `UserEditText`,
// `UserResize`, `UserSetWindowState`, `UserCloseBox`, `UserMenuChoose` cover
// the rest. The Win32 renderer and the simulated desktop call the same
// functions, so both deliver identical events; a renderer decides nothing.
//
// Forms service (platform/forms.h, reached as `platform.forms`). `Window::Load` asks it
// to create the real window; the renderer then observes the model
// (`WindowObserver`: each change with what changed, so it updates just that),
// converts twips to pixels with Desktop's twips per pixel, follows the focus,
// shows popup menus modally at the pointer (`ShowPopupMenu` returns the chosen
// item; the model raises its click), and reports input through the dispatch
// functions. On the simulated desktop, `sim::SimForms` implements the service,
// records every popup menu with the window that opened it, answers with the
// choices a test queued, and drives windows the way a user would.
#pragma once

#include "platform/form/controls.h"
#include "platform/form/menu.h"
#include "platform/form/types.h"
#include "platform/form/window.h"
#include "platform/forms.h"
