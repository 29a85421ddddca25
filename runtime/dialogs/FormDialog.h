// A dialog of labelled fields that a hosted component asks the user to fill in (find text,
// an element's properties, an address): texts, check boxes and choices, with OK and Cancel.
// Shown modal by the GUI thread; called there or from a procedure thread, which waits.
// The scripted driver answers it with `answer Ok [name=value ...]` or `answer Cancel`.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wdrt {

struct FormField {
  enum Kind { Text, Check, Choice };
  std::string name;   // the key of its value, in the result and in a scripted answer
  std::string label;  // "&" marks the access key
  Kind kind = Text;
  std::string value;  // the text; "1" or "0" for a check box; the chosen entry of a choice
  std::vector<std::string> choices;
};

struct FormRequest {
  std::string title;
  std::vector<FormField> fields;
  std::string okText = "OK";
};

using FormValues = std::map<std::string, std::string>;

// The fields' values as the user left them, or nullopt for Cancel (and without a view).
// Journals `form-dialog "<title>" -> Ok name="value" ...` (in field order) or `-> Cancel`.
std::optional<FormValues> ShowFormDialog(const FormRequest& request);

// Answers the open form dialog (any thread): the fields named take the values given, then
// OK; or Cancel. False when no form dialog is open.
bool AnswerFormDialog(bool ok, const FormValues& values);

}  // namespace wdrt
