// The font dialog: the platform's own, choosing a face, a size in points, bold, italic and
// underline. Shown modal by the GUI thread; called there or from a procedure thread, which
// waits. The scripted driver answers it with `answer Ok [face=<face>] [size=<points>]
// [bold=1] [italic=1] [underline=1]` or `answer Cancel`.
#pragma once

#include <optional>
#include <string>

#include "runtime/dialogs/FormDialog.h"

namespace wdrt {

struct FontChoice {
  std::string face;
  int points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The chosen font, or nullopt for Cancel (and without a view). Journals
// `font-dialog "<title>" -> Ok face="<face>" size=<n> bold=<0|1> italic=<0|1> underline=<0|1>`
// or `-> Cancel`.
std::optional<FontChoice> ShowFontDialog(const std::string& title, const FontChoice& initial);

// Answers the open font dialog (any thread) with the choices named; False when none is open.
bool AnswerFontDialog(bool ok, const FormValues& choices);

}  // namespace wdrt
