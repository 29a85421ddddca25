#include "runtime/dialogs/FileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QThread>
#include <future>
#include <mutex>

#include "runtime/core/Journal.h"
#include "runtime/core/ViewPort.h"

namespace wdrt {
namespace {

std::mutex answererMutex;
std::function<std::optional<std::string>(const std::string&)> answerer;
QPointer<QFileDialog> openDialog;
// The name a scripted answer chose. The dialog's own selection cannot carry it: the dialog
// fills its name field from the proposed name while it reads the folder in the background,
// and may do so after the answer was given. Used on the GUI thread only.
std::optional<QString> answeredName;

template <typename F>
auto OnGuiThread(F&& f) {
  using Result = decltype(f());
  if (!qApp || QThread::currentThread() == qApp->thread()) return f();
  std::promise<Result> promise;
  auto future = promise.get_future();
  QMetaObject::invokeMethod(qApp, [&] { promise.set_value(f()); }, Qt::QueuedConnection);
  return future.get();
}

// "Text|*.TXT|All Files|*.*" → "Text (*.TXT);;All Files (*.*)".
QString NameFilters(const std::string& masks) {
  const QStringList parts = QString::fromStdString(masks).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  return filters.join(";;");
}

}  // namespace

void SetFileDialogAnswerer(std::function<std::optional<std::string>(const std::string&)> fn) {
  std::lock_guard lock(answererMutex);
  answerer = std::move(fn);
}

std::optional<std::string> AskSaveFileName(const std::string& title, const std::string& masks,
                                           const std::string& proposed) {
  std::function<std::optional<std::string>(const std::string&)> scripted;
  {
    std::lock_guard lock(answererMutex);
    scripted = answerer;
  }
  std::optional<std::string> chosen;
  const QString folder = QDir::currentPath();
  if (scripted || !GetViewPort() || !qApp) {
    if (scripted) chosen = scripted(title);
  } else {
    chosen = OnGuiThread([&]() -> std::optional<std::string> {
      QFileDialog dialog(nullptr, QString::fromStdString(title), folder, NameFilters(masks));
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setOption(QFileDialog::DontUseNativeDialog, true);
      if (!proposed.empty()) dialog.selectFile(QString::fromStdString(proposed));
      openDialog = &dialog;
      answeredName.reset();
      const int code = dialog.exec();
      openDialog = nullptr;
      if (code == QDialog::Accepted && answeredName) return QDir(folder).absoluteFilePath(*answeredName).toStdString();
      if (code != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
      return dialog.selectedFiles().front().toStdString();
    });
  }
  QDir::setCurrent(folder);
  JournalLine("file-dialog " + JournalQuote(title) + (chosen ? " -> Save " + JournalQuote(*chosen) : " -> Cancel"));
  return chosen;
}

bool AnswerFileDialog(const std::optional<std::string>& file) {
  if (!qApp) return false;
  return OnGuiThread([&] {
    if (!openDialog) return false;
    if (!file) {
      openDialog->reject();
      return true;
    }
    // The answer is the dialog's selection; a relative name is taken in the current folder.
    answeredName = QString::fromStdString(*file);
    openDialog->selectFile(*answeredName);
    static_cast<QDialog*>(openDialog.data())->done(QDialog::Accepted);
    return true;
  });
}

}  // namespace wdrt
