// The picture generator of the suite's build.
//   storyloom_render scene SCENE OUT WIDTH HEIGHT CHILD CLIPART_DIR [LAYOUT FIGURES]
// With the pages' layout the picture is composed around the controls of the pages that show it:
// its figures are moved out from under them, its captions get a calm background, and a figure
// that finds no clear place fails the build. Where the figures lie is written to FIGURES.
//   storyloom_render contact OUT PICTURES_TSV PICTURE_DIR
// The output format follows the file name: .jpg, .jpeg and unknown extensions give JPEG (the
// publisher's banner "DuvUvov.OZE" is a JPEG under its own name), .ico an icon, .png PNG.
#include "ContactSheet.h"
#include "PictureTable.h"
#include "ScenePainter.h"
#include "SceneScript.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLoggingCategory>
#include <QSaveFile>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "storyloom_render: %s\n", qPrintable(message));
  return 1;
}

QByteArray FormatFor(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == u"png") return "png";
  if (suffix == u"ico") return "ico";
  return "jpeg";
}

int WriteImage(const QImage& image, const QString& out) {
  // Write to a temporary name and rename, so an interrupted build never leaves half a file.
  QSaveFile file(out);
  if (!file.open(QIODevice::WriteOnly)) return Fail(QStringLiteral("cannot write %1").arg(out));
  QImageWriter writer(&file, FormatFor(out));
  writer.setQuality(90);
  const QImage toWrite = writer.format() == "jpeg" ? image.convertToFormat(QImage::Format_RGB32) : image;
  if (!writer.write(toWrite) || !file.commit()) return Fail(QStringLiteral("cannot encode %1: %2").arg(out, writer.errorString()));
  return 0;
}

int RenderScene(const QStringList& args) {
  if (args.size() != 6 && args.size() != 8)
    return Fail(QStringLiteral("usage: scene SCENE OUT WIDTH HEIGHT CHILD CLIPART_DIR [LAYOUT FIGURES]"));
  QFile source(args[0]);
  if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) return Fail(QStringLiteral("cannot read %1").arg(args[0]));
  QString error;
  auto commands = scene::ParseScene(QString::fromUtf8(source.readAll()), &error);
  if (!commands) return Fail(args[0] + QStringLiteral(": ") + error);
  const int width = args[2].toInt(), height = args[3].toInt();
  if (width <= 0 || height <= 0) return Fail(QStringLiteral("bad size"));
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(FormatFor(args[1]) == "jpeg" ? Qt::white : Qt::transparent);
  std::vector<scene::Overlay> overlays;
  if (args.size() == 8) {
    auto read = scene::ReadOverlays(args[6], QFileInfo(args[1]).fileName(), &error);
    if (!read) return Fail(error);
    overlays = std::move(*read);
  }
  std::vector<scene::Figure> figures;
  {
    scene::ScenePainter painter(image, {args[4], args[5]});
    std::vector<QRectF> places, printed;
    for (const scene::Overlay& overlay : overlays)
      (scene::IsPrinted(overlay) ? printed : places).push_back(overlay.share);
    painter.KeepClearOf(std::move(places), std::move(printed));
    if (!painter.Run(*commands, &error)) return Fail(args[0] + QStringLiteral(": ") + error);
    figures = painter.Figures();
  }
  if (args.size() == 8) {
    const std::vector<QString> covered = scene::FiguresUnderControls(figures, overlays);
    for (const QString& why : covered) std::fprintf(stderr, "%s: %s\n", qPrintable(args[0]), qPrintable(why));
    if (!covered.empty()) return Fail(QStringLiteral("%1: figures lie under controls").arg(args[0]));
    scene::CalmBehindCaptions(image, overlays);
    if (!scene::WriteFigures(args[7], figures)) return Fail(QStringLiteral("cannot write %1").arg(args[7]));
  }
  return WriteImage(image, args[1]);
}

int RenderContactSheet(const QStringList& args) {
  if (args.size() != 3) return Fail(QStringLiteral("usage: contact OUT PICTURES_TSV PICTURE_DIR"));
  QString error;
  auto table = scene::ReadPictureTable(args[1], &error);
  if (!table) return Fail(error);
  return WriteImage(scene::MakeContactSheet(*table, args[2]), args[0]);
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no window is ever shown.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Qt wants a private runtime folder; give it one rather than print a warning per picture.
    const QByteArray dir = "/tmp/storyloom-render-" + QByteArray::number(getuid());
    mkdir(dir.constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", dir);
  }
  QGuiApplication app(argc, argv);
  // Clip art uses SVG features that Qt skips harmlessly; keep the build log quiet about them.
  QLoggingCategory::setFilterRules(QStringLiteral("qt.svg*=false"));
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Fail(QStringLiteral("usage: scene ... | contact ..."));
  const QString mode = args.takeFirst();
  if (mode == u"scene") return RenderScene(args);
  if (mode == u"contact") return RenderContactSheet(args);
  return Fail(QStringLiteral("unknown mode %1").arg(mode));
}
