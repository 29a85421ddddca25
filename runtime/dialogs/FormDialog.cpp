#include "runtime/dialogs/FormDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "runtime/core/Journal.h"
#include "runtime/core/ViewPort.h"
#include "runtime/os/OleControl.h"

namespace wdrt {
namespace {

// The dialog on the screen and its editors by field name. GUI thread only.
QPointer<QDialog> openDialog;
std::map<std::string, QPointer<QWidget>> openEditors;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QWidget* MakeEditor(const FormField& field, QWidget* parent) {
  switch (field.kind) {
    case FormField::Check: {
      auto* box = new QCheckBox(Q(field.label), parent);
      box->setChecked(field.value == "1");
      return box;
    }
    case FormField::Choice: {
      auto* list = new QComboBox(parent);
      for (const std::string& choice : field.choices) list->addItem(Q(choice));
      list->setCurrentText(Q(field.value));
      return list;
    }
    case FormField::Text:
    default: {
      auto* edit = new QLineEdit(Q(field.value), parent);
      edit->setMinimumWidth(260);
      return edit;
    }
  }
}

std::string ValueOf(QWidget* editor) {
  if (auto* box = qobject_cast<QCheckBox*>(editor)) return box->isChecked() ? "1" : "0";
  if (auto* list = qobject_cast<QComboBox*>(editor)) return list->currentText().toStdString();
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) return edit->text().toStdString();
  return {};
}

void SetValueOf(QWidget* editor, const std::string& value) {
  if (auto* box = qobject_cast<QCheckBox*>(editor)) box->setChecked(value == "1");
  else if (auto* list = qobject_cast<QComboBox*>(editor)) list->setCurrentText(Q(value));
  else if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setText(Q(value));
}

}  // namespace

std::optional<FormValues> ShowFormDialog(const FormRequest& request) {
  std::optional<FormValues> result;
  if (GetViewPort() && qApp) {
    RunOnGuiThread([&] {
      QDialog dialog(QApplication::activeWindow());
      dialog.setWindowTitle(Q(request.title));
      auto* form = new QFormLayout(&dialog);
      std::map<std::string, QPointer<QWidget>> editors;
      for (const FormField& field : request.fields) {
        QWidget* editor = MakeEditor(field, &dialog);
        if (field.kind == FormField::Check) {
          form->addRow(QString(), editor);
        } else {
          auto* label = new QLabel(Q(field.label), &dialog);
          label->setBuddy(editor);
          form->addRow(label, editor);
        }
        editors[field.name] = editor;
      }
      auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
      buttons->button(QDialogButtonBox::Ok)->setText(Q(request.okText));
      QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
      QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
      form->addRow(buttons);
      openDialog = &dialog;
      openEditors = editors;
      const int code = dialog.exec();
      openDialog = nullptr;
      openEditors.clear();
      if (code != QDialog::Accepted) return;
      FormValues values;
      for (const auto& [name, editor] : editors) values[name] = ValueOf(editor);
      result = values;
    });
  }
  std::string line = "form-dialog " + JournalQuote(request.title) + " -> ";
  if (!result) {
    line += "Cancel";
  } else {
    line += "Ok";
    for (const FormField& field : request.fields) line += " " + field.name + "=" + JournalQuote((*result)[field.name]);
  }
  JournalLine(line);
  return result;
}

bool AnswerFormDialog(bool ok, const FormValues& values) {
  if (!qApp) return false;
  bool answered = false;
  RunOnGuiThread([&] {
    // A dialog already answered is gone from the screen though its loop has not ended yet.
    if (!openDialog || !openDialog->isVisible()) return;
    for (const auto& [name, value] : values)
      if (auto it = openEditors.find(name); it != openEditors.end() && it->second) SetValueOf(it->second, value);
    if (ok) openDialog->accept();
    else openDialog->reject();
    answered = true;
  });
  return answered;
}

}  // namespace wdrt
