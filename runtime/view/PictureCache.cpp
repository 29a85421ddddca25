#include "runtime/view/PictureCache.h"

#include <algorithm>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThreadPool>

#include "runtime/view/Pictures.h"

namespace wdrt::view {
namespace {

bool Covers(const QPixmap& pixmap, QSize wanted) {
  if (pixmap.isNull()) return false;
  if (wanted.isEmpty()) return true;
  return pixmap.width() >= wanted.width() && pixmap.height() >= wanted.height();
}

qint64 BytesOf(const QPixmap& pixmap) { return qint64(pixmap.width()) * pixmap.height() * pixmap.depth() / 8; }

}  // namespace

PictureCache& PictureCache::Get() {
  // Never destroyed: decodes still running when the program ends post to it.
  static auto* cache = new PictureCache;
  return *cache;
}

QPixmap PictureCache::Request(const std::string& name, QSize size, QObject* receiver,
                              std::function<void(const QPixmap&)> ready) {
  const QString path = PicturePath(name);
  if (path.isEmpty()) return {};
  // Pictures are kept by their file, so two names of one file share it.
  const QString key = path;
  Entry& entry = entries_[key];
  entry.path = path;
  entry.used = ++clock_;
  if (!Covers(entry.pixmap, size)) {
    if (receiver && ready) entry.waiters.push_back({receiver, size, std::move(ready)});
    const bool decodingEnough = !entry.decoding.isEmpty() && !size.isEmpty() &&
                                entry.decoding.width() >= size.width() && entry.decoding.height() >= size.height();
    if (!decodingEnough) {
      // A picture shown at several sizes is decoded at the largest, so that one copy serves all.
      QSize target = size;
      if (!target.isEmpty() && !entry.pixmap.isNull())
        target = target.expandedTo(entry.pixmap.size());
      StartDecode(key, entry, target);
    }
  }
  QPixmap best = entry.pixmap;
  Trim();
  return best;
}

void PictureCache::StartDecode(const QString& key, Entry& entry, QSize size) {
  entry.decoding = size.isEmpty() ? QSize(1, 1) : size;
  ++running_;
  ++decodes_;
  const QString path = entry.path;
  PictureCache* self = this;  // never destroyed
  QThreadPool::globalInstance()->start([self, key, path, size] {
    QImage image = DecodePicture(path, size);
    // A picture of the same format as the screen's pixmaps becomes one without a copy.
    if (!image.isNull() && image.format() != QImage::Format_RGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
      image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32);
    {
      std::lock_guard<std::mutex> lock(self->finishedMutex_);
      self->finished_.push_back({key, size, image});
    }
    // A Settle that is waiting inside an event handler takes the list itself: a nested event
    // loop does not always run the calls queued to it.
    QMetaObject::invokeMethod(self, [self] { self->DeliverFinished(); }, Qt::QueuedConnection);
  });
}

void PictureCache::DeliverFinished() {
  std::vector<Finished> finished;
  {
    std::lock_guard<std::mutex> lock(finishedMutex_);
    finished.swap(finished_);
  }
  for (const Finished& f : finished) Decoded(f.key, f.size, f.image);
}

void PictureCache::Decoded(const QString& key, QSize size, const QImage& image) {
  --running_;
  auto it = entries_.find(key);
  if (it == entries_.end()) return;
  Entry& entry = it->second;
  if (entry.decoding == (size.isEmpty() ? QSize(1, 1) : size)) entry.decoding = QSize();
  if (!image.isNull() && (entry.pixmap.isNull() || image.width() * image.height() >
                                                        entry.pixmap.width() * entry.pixmap.height()))
    entry.pixmap = QPixmap::fromImage(image);
  // Every waiter gets the better picture; those that wanted more wait on for the larger decode.
  std::vector<Waiter> waiters;
  waiters.swap(entry.waiters);
  const QPixmap best = entry.pixmap;
  for (Waiter& waiter : waiters) {
    if (!waiter.receiver) continue;
    if (!best.isNull()) waiter.ready(best);
    const bool satisfied = Covers(best, waiter.wanted) || image.isNull();
    if (!satisfied && !entry.decoding.isEmpty()) entry.waiters.push_back(std::move(waiter));
  }
  Trim();
}

void PictureCache::Trim() {
  // A pixmap that only the cache holds is shown by no widget; keep the most recent of those
  // within the budget.
  std::vector<std::map<QString, Entry>::iterator> idle;
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    const Entry& e = it->second;
    if (e.decoding.isEmpty() && e.waiters.empty() && (e.pixmap.isNull() || e.pixmap.isDetached())) idle.push_back(it);
  }
  std::sort(idle.begin(), idle.end(), [](auto a, auto b) { return a->second.used > b->second.used; });
  qint64 kept = 0;
  for (auto it : idle) {
    kept += BytesOf(it->second.pixmap);
    if (kept > idleBudget_ || it->second.pixmap.isNull()) entries_.erase(it);
  }
}

void PictureCache::Settle(int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    DeliverFinished();
    if (running_ == 0 || timer.elapsed() >= timeoutMs) break;
    QThreadPool::globalInstance()->waitForDone(10);
    QCoreApplication::processEvents();
  }
}

}  // namespace wdrt::view
