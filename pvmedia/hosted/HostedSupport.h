// Helpers shared by the hosted components: text conversion, waiting for a page's script
// result, and the set-up Qt WebEngine needs on this machine. GUI thread only.
#pragma once

#include <QString>
#include <QVariant>
#include <string>
#include <vector>

class QWebEnginePage;

namespace pvhosted {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }
inline std::string Arg(const std::vector<std::string>& arguments, std::size_t index) {
  return index < arguments.size() ? arguments[index] : std::string();
}
// A text as a script literal.
QString JsString(const QString& text);

// Runs `script` in `page` and waits (with a nested event loop, at most `timeoutMs`) for its
// result; an invalid value when it did not come.
QVariant RunScript(QWebEnginePage* page, const QString& script, int timeoutMs = 5000);
// The page's HTML as the browser holds it now.
QString PageHtml(QWebEnginePage* page, int timeoutMs = 5000);

// Before the first WebEngine object: the sandbox switch for root (said once on the debug
// channel) and software rendering on the offscreen platform.
void PrepareWebEngine();

// Where the build put the Flash player (ruffle.js), beside this library; empty when missing.
std::string RuffleFolder();

}  // namespace pvhosted
