// Pictures decoded once, at the size they are shown, and shared by every widget that shows
// them. Decoding runs on Qt's thread pool (JPEGs decode straight to the smaller size); the
// result is handed to the GUI thread through a list that its event loop, or a waiting Settle,
// empties. A picture is decoded again only when a widget grows past
// the decoded size. Call from the GUI thread only.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace wdrt::view {

class PictureCache : public QObject {
  Q_OBJECT
 public:
  static PictureCache& Get();

  // Asks for picture `name` shown at `size` pixels (empty: its own size). Returns the best
  // picture decoded so far (null when none yet). When that is smaller than `size`, a decode at
  // `size` runs and `ready` gets each better picture while `receiver` lives.
  QPixmap Request(const std::string& name, QSize size, QObject* receiver, std::function<void(const QPixmap&)> ready);

  // Waits (bounded) until no decode is running and the results have been handed out.
  void Settle(int timeoutMs);

  // Decodes started so far, for tests.
  int DecodeCount() const { return decodes_; }
  // Pictures kept that no widget shows stay up to this many bytes, the least recently used
  // going first.
  void SetIdleBudget(qint64 bytes) { idleBudget_ = bytes; }

 private:
  struct Waiter {
    QPointer<QObject> receiver;
    QSize wanted;
    std::function<void(const QPixmap&)> ready;
  };
  struct Entry {
    QString path;
    QPixmap pixmap;
    QSize decoding;  // the size of the decode under way, empty when none
    std::vector<Waiter> waiters;
    quint64 used = 0;
  };

  struct Finished {
    QString key;
    QSize size;
    QImage image;
  };

  PictureCache() = default;
  void StartDecode(const QString& key, Entry& entry, QSize size);
  // Hands out the decodes that have finished (GUI thread).
  void DeliverFinished();
  void Decoded(const QString& key, QSize size, const QImage& image);
  void Trim();

  std::map<QString, Entry> entries_;
  std::mutex finishedMutex_;
  std::vector<Finished> finished_;  // decoded on the pool, not yet handed out
  int running_ = 0;
  int decodes_ = 0;
  quint64 clock_ = 0;
  qint64 idleBudget_ = 24 * 1024 * 1024;
};

}  // namespace wdrt::view
