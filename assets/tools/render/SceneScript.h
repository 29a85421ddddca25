// The scene description language of the picture sources: one drawing command per line.
// Parsing only; ScenePainter gives the commands their meaning. Any thread (build tool).
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace scene {

// One command line: a name, its positional arguments and its key=value options.
struct Command {
  QString name;
  QStringList args;
  std::map<QString, QString> options;
  int line = 0;

  [[nodiscard]] QString Option(const QString& key, const QString& fallback = {}) const;
  // True when the word stands alone among the arguments or as a key=value option.
  [[nodiscard]] bool Flag(const QString& key) const { return options.count(key) != 0 || args.contains(key); }
};

// Splits one line into words; "quoted words" keep their blanks. Returns nothing for an
// unterminated quote. (Lines starting with '#' are comments; '#' inside a line is a colour.)
std::optional<QStringList> SplitWords(const QString& line);

// Reads a scene text into commands; on failure returns nothing and describes the fault.
std::optional<std::vector<Command>> ParseScene(const QString& text, QString* error);

}  // namespace scene
