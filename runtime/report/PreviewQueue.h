// The page list: one record per generated report page, in page order, holding the full name
// of the page's metafile in PRINTPREVIEWIMAGE (128 characters at most). The report procedure
// owns it; the engine adds to it, the previewer, the printer and the PDF writer read it.
// Guarded by its own lock, so the threads that share one list see it whole.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace wdrt::report {

constexpr std::size_t kPreviewImageSize = 128;

struct PreviewQueueRecord {
  std::string PRINTPREVIEWIMAGE;
};

class PreviewQueue {
 public:
  PreviewQueue() = default;
  PreviewQueue(const PreviewQueue& other);
  PreviewQueue& operator=(const PreviewQueue& other);

  // ADD at the end. False (nothing added) when the name does not fit the field.
  bool Add(const std::string& fileName);
  // GET by position from 1; nullopt outside the list.
  std::optional<std::string> Get(std::size_t position) const;
  // PUT by position from 1.
  bool Put(std::size_t position, const std::string& fileName);
  // DELETE by position from 1.
  bool Delete(std::size_t position);
  // FREE: empties the list (the files stay).
  void Free();
  std::size_t Records() const;
  std::vector<std::string> Names() const;

 private:
  mutable std::mutex mutex_;
  std::vector<PreviewQueueRecord> records_;
};

// Deletes every file named in the list (failures ignored) and empties it.
void DeletePageFiles(PreviewQueue& queue);

}  // namespace wdrt::report
