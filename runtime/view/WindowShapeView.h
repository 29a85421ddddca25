// The view's side of shaped windows: a window's region as a widget mask, system commands
// (dragging, minimising …) on a top-level widget, and menu bars built from a window's menus.
// GUI thread only.
#pragma once

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QRegion>
#include <QWidget>
#include <map>

#include "runtime/core/WindowShape.h"

namespace wdrt::view {

// The region in pixels of a widget of `pixels` size showing a window of `units` size.
QRegion RegionToPixels(const WindowRegion& region, const Geometry& units, const QSize& pixels);

// Masks `top` with the window's region (or removes the mask when it has none).
void ApplyWindowShape(QWidget* top, const WindowPtr& window);

// Makes what lies outside the widget's mask transparent in a picture of the widget, so that
// screenshots show the shape.
void ClearOutsideMask(QImage& picture, const QWidget* widget);

// WM_SYSCOMMAND on a top-level widget.
void CarryOutSysCommand(QWidget* top, int command);

// Fills `bar` with the window's menus; accepting an item posts an accepted event for it.
// The text of a menu entry as Qt shows it: "&" before a character marks its key, as in the
// definitions; an "&" before a blank or at the end stands for itself ("Web Help & discussion").
QString MenuText(const std::string& text);
void BuildMenuBar(QMenuBar* bar, const WindowPtr& window, std::map<int, QAction*>& actions);

}  // namespace wdrt::view
