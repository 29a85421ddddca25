#include "runtime/dialogs/FontDialog.h"

#include <QApplication>
#include <QFontDialog>
#include <QPointer>

#include "runtime/core/Journal.h"
#include "runtime/core/ViewPort.h"
#include "runtime/os/OleControl.h"

namespace wdrt {
namespace {

QPointer<QFontDialog> openDialog;  // GUI thread only

QFont ToFont(const FontChoice& choice) {
  QFont font(QString::fromStdString(choice.face));
  if (choice.points > 0) font.setPointSize(choice.points);
  font.setBold(choice.bold);
  font.setItalic(choice.italic);
  font.setUnderline(choice.underline);
  return font;
}

FontChoice FromFont(const QFont& font) {
  return {font.family().toStdString(), font.pointSize(), font.bold(), font.italic(), font.underline()};
}

}  // namespace

std::optional<FontChoice> ShowFontDialog(const std::string& title, const FontChoice& initial) {
  std::optional<FontChoice> result;
  if (GetViewPort() && qApp) {
    RunOnGuiThread([&] {
      QFontDialog dialog(ToFont(initial), QApplication::activeWindow());
      dialog.setWindowTitle(QString::fromStdString(title));
      dialog.setOption(QFontDialog::DontUseNativeDialog, true);
      openDialog = &dialog;
      const int code = dialog.exec();
      openDialog = nullptr;
      if (code == QDialog::Accepted) result = FromFont(dialog.selectedFont());
    });
  }
  const auto flag = [](bool on) { return on ? std::string("1") : std::string("0"); };
  JournalLine("font-dialog " + JournalQuote(title) + " -> " +
              (result ? "Ok face=" + JournalQuote(result->face) + " size=" + std::to_string(result->points) +
                            " bold=" + flag(result->bold) + " italic=" + flag(result->italic) +
                            " underline=" + flag(result->underline)
                      : std::string("Cancel")));
  return result;
}

bool AnswerFontDialog(bool ok, const FormValues& choices) {
  if (!qApp) return false;
  bool answered = false;
  RunOnGuiThread([&] {
    // A dialog already answered is gone from the screen though its loop has not ended yet.
    if (!openDialog || !openDialog->isVisible()) return;
    answered = true;
    if (!ok) {
      openDialog->reject();
      return;
    }
    FontChoice choice = FromFont(openDialog->currentFont());
    const auto value = [&](const char* name) {
      const auto it = choices.find(name);
      return it == choices.end() ? std::optional<std::string>() : std::optional<std::string>(it->second);
    };
    if (auto face = value("face")) choice.face = *face;
    if (auto size = value("size")) choice.points = std::atoi(size->c_str());
    if (auto bold = value("bold")) choice.bold = *bold == "1";
    if (auto italic = value("italic")) choice.italic = *italic == "1";
    if (auto underline = value("underline")) choice.underline = *underline == "1";
    // The dialog's own lists offer only the faces the machine has: the choice goes in whole.
    openDialog->setCurrentFont(ToFont(choice));
    openDialog->accept();
  });
  return answered;
}

}  // namespace wdrt
