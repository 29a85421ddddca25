// The save-file dialog (FILEDIALOG for saving): the platform's own, with a title, masks given
// as "Text|*.TXT|All Files|*.*" and a proposed name. Called from a procedure thread (which
// waits) or the GUI thread. The scripted driver answers it with `answer Save "<file>"`.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace wdrt {

// The chosen full file name, or nullopt when cancelled. The current folder is kept.
// Journals `file-dialog "<title>" -> Save "<file>"` or `-> Cancel`.
std::optional<std::string> AskSaveFileName(const std::string& title, const std::string& masks,
                                           const std::string& proposed);

// Answers the open file dialog, if any (any thread): a file name, or nullopt for Cancel.
bool AnswerFileDialog(const std::optional<std::string>& file);

// Without a view, dialogs are answered by this (tests); null: Cancel.
void SetFileDialogAnswerer(std::function<std::optional<std::string>(const std::string& title)> answerer);

}  // namespace wdrt
