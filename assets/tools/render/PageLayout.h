// What the book pages put over a picture, read from the layout the books' tables give
// (storyloom_pagelayout), and how a picture is composed around it: captions get a calm
// background, and no figure of the scene may lie under a control. Any thread (build tool).
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace scene {

// A control over a picture, its rectangle as a share of the picture (0 … 1 on each axis).
struct Overlay {
  QString page;  // module identifier, e.g. "fete002"
  QString role;  // next, word, sentence, narration, effect, mediaplay, extraline, answer, label
  QRectF share;
  QString text;
};

// The rows of `layoutFile` for picture `name` (names compared without regard to case).
// Returns nothing when the file cannot be read or a row is malformed.
std::optional<std::vector<Overlay>> ReadOverlays(const QString& layoutFile, const QString& name, QString* error);

// A figure of a scene (a child, an animal, an object, a sign) and where its ink lies.
struct Figure {
  QString command;
  int line = 0;
  QRectF share;  // as a share of the picture
};

// How far (as a share of the picture, on either axis) a figure may reach under a control: a
// sliver for antialiasing, kept well under what the pages' collision check allows so that the
// rounding of a control's pixels on any screen never brings the two together.
constexpr double kClearance = 0.004;

// True for the controls whose texts are captions over the picture.
bool IsCaption(const Overlay& overlay);
// True for a text that a booklet prints over the picture (not a control of a page).
bool IsPrinted(const Overlay& overlay);

// Softens and darkens the picture behind every caption (a feathered blur and veil), so that
// the white outlined words read on any scene.
void CalmBehindCaptions(QImage& image, const std::vector<Overlay>& overlays);

// The figures that lie under a control of a page (their shares overlap by more than a sliver),
// one line each, for the build to report; empty when the picture is composed around its controls.
// Printed texts are not controls: a figure may stay under one where there was no room.
std::vector<QString> FiguresUnderControls(const std::vector<Figure>& figures, const std::vector<Overlay>& overlays);

// Writes the figures, one a line: command, scene line, x, y, width, height (shares).
bool WriteFigures(const QString& file, const std::vector<Figure>& figures);

}  // namespace scene
