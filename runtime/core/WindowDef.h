// Window definitions as data: a window, its menu, toolbar and numbered controls, with
// positions and sizes in dialog units. Programs carry these as constant tables.
// Plain data; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/Properties.h"

namespace wdrt {

using Rgb = std::uint32_t;
constexpr Rgb kColorNone = 0xFFFFFFFFu;
constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 255) << 16 | (g & 255) << 8 | (b & 255));
}
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);

struct Geometry {
  int x = 0;
  int y = 0;
  int width = 0;   // 0: the size of the control's text or picture
  int height = 0;
  friend bool operator==(const Geometry&, const Geometry&) = default;
};

struct FontDef {
  std::string face;  // "" keeps the window's font
  int points = 0;    // 0 keeps the window's size
  bool bold = false;
  Rgb color = kColorNone;
  bool underline = false;
};

// What the runtime does by itself when a control or menu item is accepted.
enum class StdAction {
  None,
  CloseWindow,
  TileWindow,
  CascadeWindow,
  ArrangeIcons,
  PrintSetup,
  HelpIndex,
  HelpSearch,
  HelpOnHelp,
};

enum class WindowKind {
  Frame,     // application frame: menu bar, toolbar, area for child windows
  MdiChild,  // child window inside the program's frame
  Window,    // ordinary top-level window
};

struct ControlDef {
  int type = TypeButton;
  std::string use;      // use identifier such as "?NEXT"
  std::string text;
  Geometry pos;
  FontDef font;
  std::string tip;
  std::string icon;     // icon picture name, or a stock icon: "ICON:Print", "ICON:Exit" ...
  std::string picture;  // picture shown by an image control or on a button
  Rgb background = kColorNone;
  StdAction action = StdAction::None;
  int number = 0;       // explicit control number (toolbar and menu: negative); 0: by order
  bool hidden = false;
  bool flat = false;
  bool transparent = false;
  std::string cursor;   // mouse cursor over the control: "~hand.cur", "~hand2.cur"; "": the default
  int parent = 0;       // number of the containing control (group, sheet, tab); 0: the window
  std::vector<ControlDef> items;  // menu items of a menu, columns of a list
};

struct WindowDef {
  WindowKind kind = WindowKind::Window;
  std::string module;   // module identifier, e.g. "fete001"
  std::string title;
  Geometry size;        // x,y 0: default placement
  FontDef font;
  Rgb background = kColorNone;
  std::string icon;
  std::string picture;  // wallpaper of a frame's client area
  bool resizable = true;
  bool borderless = false;  // no caption or border (a top-level window shaped by its program)
  bool maximized = false;
  bool fullScreen = false;  // a frame that fills the screen, without caption or menu bar
  std::vector<ControlDef> menu;     // type TypeMenu with items
  std::vector<ControlDef> toolbar;  // controls of the toolbar, explicit numbers
  std::vector<ControlDef> controls; // numbered from 1 in this order
};

}  // namespace wdrt
