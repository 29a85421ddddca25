// Draws a parsed scene onto a picture. Scene coordinates are "design units" that span the
// whole picture (by default the 316 x 208 dialog units of a book page), so that a scene can put
// an object exactly under a control rectangle of its page. Any thread (build tool).
#pragma once

#include "PageLayout.h"
#include "SceneScript.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <map>

namespace scene {

struct RenderSettings {
  QString childName = QStringLiteral("Zuli");  // replaces {child} in texts; "-": such texts are left out
  QString clipArtDir;                           // root of the public-domain clip art
};

class ScenePainter {
 public:
  ScenePainter(QImage& image, RenderSettings settings);

  // Runs every command; returns false and sets *error at the first fault.
  bool Run(const std::vector<Command>& commands, QString* error);
  // The figures drawn (children, animals, objects, signs), where their ink lies.
  [[nodiscard]] const std::vector<Figure>& Figures() const { return figures_; }
  // Places (shares of the picture) that figures keep out of: a figure drawn over one is drawn
  // again at the nearest place clear of them all, sideways before up or down. `rather` are
  // places kept clear where there is room (the texts a booklet prints over the picture): a
  // figure that finds no place clear of those too keeps clear of `places` only.
  void KeepClearOf(std::vector<QRectF> places, std::vector<QRectF> rather = {}) {
    keepClear_ = std::move(places);
    ratherClear_ = std::move(rather);
  }

  // Design-to-pixel mapping, exposed for the figure helpers.
  [[nodiscard]] double Sx() const { return sx_; }
  [[nodiscard]] double Sy() const { return sy_; }
  [[nodiscard]] QPointF Px(double x, double y) const { return {x * sx_, y * sy_}; }
  QPainter& Painter() { return painter_; }

 private:
  bool Execute(const Command& c, QString* error);
  void DrawEmoji(QPointF centre, double widthPx, const QString& text);
  bool DrawClipArt(const Command& c, QString* error);
  void DrawText(const Command& c);
  [[nodiscard]] QString Expand(QString text) const;

  QImage& image_;
  RenderSettings settings_;
  QPainter painter_;
  double sx_ = 1;
  double sy_ = 1;
  std::map<QString, QImage> emojiCache_;
  std::vector<Figure> figures_;
  std::vector<QRectF> keepClear_;
  std::vector<QRectF> ratherClear_;
  [[nodiscard]] bool Blocked(const QRectF& share, bool rather) const;
  [[nodiscard]] std::optional<QPointF> ClearOffset(const QRectF& share, bool rather) const;
};

// Parses a colour word ("#rrggbb", "#aarrggbb", an SVG colour name); "none" is transparent.
std::optional<QColor> ParseColour(const QString& word);

}  // namespace scene
