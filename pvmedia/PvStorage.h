// PvStorage: keeps whole files in a pair of keyed files: a main file with one record per
// document (PVSF) and a child file holding the document's bytes as large-object chunks (PVB).
// Store imports a file the user picks; Retrieve rebuilds a private temporary file from stored
// bytes. Progress lines go to the debug output of its own debug object. Caller's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pvmedia/PvDebug.h"
#include "runtime/data/FileDef.h"

enum PvStoreResult : std::uint8_t {
  kStoreDone = 0,
  kStoreOpenFailed = 1,
  kStoreNoFile = 2,
  kStoreImportFailed = 3,
  kStoreWriteFailed = 4,
};

class PvStorage {
 public:
  virtual ~PvStorage() = default;
  // 0 done, 1 a storage file failed to open, 2 the user chose no file, 3 the import could not
  // be opened or read whole, 4 the storage file could not be written. On every failure the
  // document stored before stays as it was.
  virtual std::uint8_t Store(std::string_view mainFile, std::string_view childFile, std::int32_t parent);  // 0
  // Stage 1 start (chunk count), 2 chunk n of count, 3 finished. Applications override it.
  virtual void Progress(std::uint8_t stage, std::int32_t chunk, std::int32_t count);                    // 1
  // Writes `bytes` into a new private temporary file ("pvTempFile…", mode 0600) and returns its
  // name; empty on failure. The caller deletes the file when done with it.
  virtual std::string Retrieve(const std::vector<std::uint8_t>& bytes);                                  // 2

  // The stored bytes of `parent`, chunk after chunk; nullopt when the child file cannot be read.
  std::optional<std::vector<std::uint8_t>> StoredBytes(std::string_view childFile, std::int32_t parent);
  // The chunk size in bytes for CHUNKSIZELIMIT.
  std::size_t ChunkSize() const;

  std::int32_t CHUNKSIZELIMIT = 0;  // kilobytes; 0: the default
  PvDebug debug;
};

namespace pv {
// The declarations of the two storage files (owner password included).
wdrt::FileDef StorageMainFileDef(const std::string& name);
wdrt::FileDef StorageChildFileDef(const std::string& name);
// Replaces the file dialog of Store (tests); null restores it.
void SetStorageFileChooser(std::function<std::string(const std::string& title)> chooser);
}  // namespace pv
