// LinkManager: turns controls of a window into links. Selecting a link opens its address: a
// web address through the desktop's opener, an e-mail address through the mail program
// registered for "mailto". Text controls get a transparent overlay with a hand cursor and a
// hover colour; list columns can be links too. One per window, used on that window's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/Runtime.h"

class LinkManager {
 public:
  struct LinkRow {
    std::int32_t CONTROL = 0;
    std::string URL;  // at most 4096 bytes; "-1" when none was given
    std::uint32_t NORMAL = 0;
    std::uint32_t BRIGHT = 0;  // 0: no hover colour
    std::int32_t STYLE = 0;
    std::int32_t COLUMN = 0;
    std::uint8_t UNDERLINE = 0;
    std::int32_t WORKING = 0;  // 1 while the mouse is over the link
  };

  virtual ~LinkManager() = default;

  // Fields, in their order.
  std::unique_ptr<std::vector<LinkRow>> ITEMQ;
  // The commands registered for web pages and for "mailto", "%1" for the target; read from the
  // desktop when a link is first opened, unless set before.
  std::string HYPERBROWSER;
  std::string HYPEREMAIL;
  std::int32_t HANDCURSOR = 0;
  std::string LISTURL;
  std::uint8_t INITED = 0;
  std::string URLTORUN;

  // Virtual operations, in slot order.
  // On a list (type 14) `url` is the link column's number instead of an address.
  virtual void AddLink(std::int32_t control, const std::string& url, bool omitUrl = false, std::uint32_t normal = 0,
                       bool omitUnderline = true, std::uint8_t underline = 0, bool omitBright = true,
                       std::uint32_t bright = 0, bool normalFromFont = true);
  // Binds to the calling thread's top window.
  virtual void Init(std::int32_t pollEvent = 0, bool keepPollEvent = true);
  virtual void PollHover();
  virtual void Place();
  virtual void Open();
  virtual void OnHover(std::int32_t control, std::int32_t column, std::int32_t state, std::int32_t style);
  virtual int OnEvent();
  virtual std::string ListLinkText(const std::string& value);
  virtual void SetLinkUrl(std::int32_t control, const std::string& url, bool clear = false);

  // Where the mouse is, in dialog units of the window, for hover polling; unset: the real
  // pointer's place (tests without a screen set their own).
  std::function<std::optional<wdrt::Geometry>()> mousePosition;

  const wdrt::WindowPtr& Window() const { return window_; }

 private:
  void Prepare(const LinkRow& row);
  std::string TargetFor(const LinkRow& row);
  void ShowBright(LinkRow& row);
  void ShowNormal(LinkRow& row);
  void SetCursor(std::int32_t control, const std::string& cursor);
  int ColumnAt(std::int32_t control, int x) const;
  // Fills the commands not set yet from the desktop's, once.
  void ReadCommands();

  wdrt::WindowPtr window_;
  std::int32_t hoverColumn_ = -1;
  bool commandsRead_ = false;
};

// Control number of the overlay that stands over a link control.
constexpr std::int32_t kLinkOverlayOffset = 2800;

// The line shown for a failed shell open (result of 32 or less) before the target; "" for
// results that show nothing.
std::string ShellErrorText(long result);

// The mail program's arguments for `target`: with "%1" in the command, "mailto:" and the
// target stand in its place; otherwise the target follows as an argument of its own. Empty
// when no mail program is registered.
std::vector<std::string> MailCommandArguments(const std::string& command, const std::string& target);
