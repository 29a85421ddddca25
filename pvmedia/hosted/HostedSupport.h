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

// How long a call waits for the engine's answer: its renderer is a process of its own, which a
// busy machine may hold back for seconds; only a dead renderer makes a caller wait this long.
constexpr int kEngineAnswerMs = 30000;
// How long a load waits for the engine to finish a document. The engine's first start (its
// zygote, renderer and software painter) on a busy machine has taken over 30 s; the wait runs
// a nested event loop, so windows stay live meanwhile, and a load that finishes ends it at once.
constexpr int kEngineLoadMs = 90000;
// Runs `script` in `page` and waits (with a nested event loop, at most `timeoutMs`) for its
// result; an invalid value when it did not come.
QVariant RunScript(QWebEnginePage* page, const QString& script, int timeoutMs = kEngineAnswerMs);
// The page's HTML as the browser holds it now.
QString PageHtml(QWebEnginePage* page, int timeoutMs = kEngineAnswerMs);

// Before the first WebEngine object: the sandbox switch for root (said once on the debug
// channel) and software rendering on the offscreen platform.
void PrepareWebEngine();

// Where the build put the Flash player (ruffle.js), beside this library; empty when missing.
std::string RuffleFolder();

}  // namespace pvhosted
