#include "SceneScript.h"

#include <QRegularExpression>

namespace scene {

QString Command::Option(const QString& key, const QString& fallback) const {
  auto it = options.find(key);
  return it == options.end() ? fallback : it->second;
}

std::optional<QStringList> SplitWords(const QString& line) {
  QStringList words;
  QString word;
  bool inWord = false;
  bool quoted = false;
  for (QChar c : line) {
    if (quoted) {
      if (c == u'"') {
        quoted = false;
      } else {
        word += c;
      }
      continue;
    }
    if (c == u'"') {
      quoted = true;
      inWord = true;
    } else if (c.isSpace()) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (quoted) return std::nullopt;
  if (inWord) words << word;
  return words;
}

std::optional<std::vector<Command>> ParseScene(const QString& text, QString* error) {
  std::vector<Command> commands;
  const QStringList lines = text.split(u'\n');
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed().startsWith(u'#')) continue;  // a comment line
    auto words = SplitWords(lines[i]);
    if (!words) {
      if (error) *error = QStringLiteral("line %1: unterminated quote").arg(i + 1);
      return std::nullopt;
    }
    if (words->isEmpty()) continue;
    Command command;
    command.line = i + 1;
    command.name = words->takeFirst();
    for (const QString& w : *words) {
      // An option is key=value where the key is a plain word; colours like #ff0000 and
      // texts never contain '=' at a position that makes them look like one.
      const int eq = w.indexOf(u'=');
      if (eq > 0 && w.left(eq).contains(QRegularExpression(QStringLiteral("^[a-z]+$")))) {
        command.options[w.left(eq)] = w.mid(eq + 1);
      } else {
        command.args << w;
      }
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

}  // namespace scene
