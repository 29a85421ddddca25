#include "pvmedia/PvStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileDialog>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "pvmedia/PvPlatform.h"
#include "pvmedia/PvText.h"
#include "runtime/data/ErrorState.h"
#include "runtime/data/KeyedFile.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/OleControl.h"
#include "runtime/os/Process.h"

namespace {

constexpr std::size_t kDefaultChunk = 2097152;
constexpr std::int32_t kLargestLimitKb = 16384;
constexpr std::size_t kPiece = 1024;
constexpr const char* kOwner = "pvstorage";

std::mutex chooserMutex;
std::function<std::string(const std::string&)> fileChooser;

std::string ChooseFile(const std::string& title) {
  std::function<std::string(const std::string&)> chooser;
  {
    std::lock_guard lock(chooserMutex);
    chooser = fileChooser;
  }
  if (chooser) return chooser(title);
  std::string chosen;
  wdrt::RunOnGuiThread([&] { chosen = QFileDialog::getOpenFileName(nullptr, QString::fromStdString(title)).toStdString(); });
  return chosen;
}

// STOP: the user may go on or end the program.
void Stop(const std::string& message) {
  const int answer = wdrt::Message(message, "Panoview", wdrt::IconHand, wdrt::ButtonAbort | wdrt::ButtonIgnore,
                                   wdrt::ButtonIgnore);
  if (answer == wdrt::ButtonAbort) wdrt::Halt(1, message);
}

void Show(const std::string& message) { wdrt::Message(message, "Panoview", wdrt::IconExclamation); }

std::string SystemText() { return std::strerror(errno); }

// The file being imported, read in pieces; a read that ends before the size measured at
// opening is a failure too (the file shrank, or the device gave up).
class ImportFile {
 public:
  explicit ImportFile(std::string name) : name_(std::move(name)) {}
  ~ImportFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  ImportFile(const ImportFile&) = delete;
  ImportFile& operator=(const ImportFile&) = delete;

  bool Open() {
    fd_ = ::open(name_.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return Failed(errno);
    if (!S_ISREG(info.st_mode)) return Failed(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    size_ = static_cast<std::size_t>(info.st_size);
    return true;
  }
  std::size_t Size() const { return size_; }
  bool Read(std::uint8_t* into, std::size_t length) {
    while (length > 0) {
      const ssize_t got = ::read(fd_, into, length);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return Failed(errno);
      if (got == 0) {
        error_ = "the file ended before its " + std::to_string(size_) + " bytes were read";
        return false;
      }
      into += got;
      length -= static_cast<std::size_t>(got);
    }
    return true;
  }
  const std::string& ErrorText() const { return error_; }

 private:
  bool Failed(int code) {
    error_ = std::strerror(code);
    return false;
  }
  std::string name_;
  int fd_ = -1;
  std::size_t size_ = 0;
  std::string error_;
};

}  // namespace

namespace pv {

wdrt::FileDef StorageMainFileDef(const std::string& name) {
  wdrt::FileDef def;
  def.label = "PVSTORAGE";
  def.prefix = "PVSF";
  def.fileName = name;
  def.owner = kOwner;
  def.fields = {{"RECORDID", wdrt::FieldKind::Long, 4, 0},
                {"FILENAME", wdrt::FieldKind::Text, 255, 0},
                {"FILETYPE", wdrt::FieldKind::Text, 4, 0}};
  def.keys = {{"KEYRECORDID", {{"RECORDID", false}}, false}};
  return def;
}

wdrt::FileDef StorageChildFileDef(const std::string& name) {
  wdrt::FileDef def;
  def.label = "PVBLOB";
  def.prefix = "PVB";
  def.fileName = name;
  def.owner = kOwner;
  // The chunk number keeps a document's chunks in their order.
  def.fields = {{"PARENTID", wdrt::FieldKind::Long, 4, 0},
                {"CHUNKNO", wdrt::FieldKind::Long, 4, 0},
                {"BLOB", wdrt::FieldKind::Blob, 0, 0}};
  def.keys = {{"KEYPARENT", {{"PARENTID", false}, {"CHUNKNO", false}}, false}};
  return def;
}

void SetStorageFileChooser(std::function<std::string(const std::string&)> chooser) {
  std::lock_guard lock(chooserMutex);
  fileChooser = std::move(chooser);
}

}  // namespace pv

std::size_t PvStorage::ChunkSize() const {
  if (CHUNKSIZELIMIT > 0 && CHUNKSIZELIMIT <= kLargestLimitKb) return static_cast<std::size_t>(CHUNKSIZELIMIT) * 1024;
  return kDefaultChunk;
}

void PvStorage::Progress(std::uint8_t, std::int32_t, std::int32_t) {
  debug.DbgMsg("In Progress method...", 0, 0, 0, 1);
}

std::uint8_t PvStorage::Store(std::string_view mainName, std::string_view childName, std::int32_t parent) {
  const auto write = [this](const std::string& line) { debug.DbgMsg(line, 0, 0, 0, 1); };
  const std::string mainFileName(pv::TrimRight(mainName));
  const std::string childFileName(pv::TrimRight(childName));
  if (!wdrt::KeyedFile::Exists(mainFileName)) Stop("File 1 does not exist!");
  if (!wdrt::KeyedFile::Exists(childFileName)) Stop("File 2 does not exist!");

  wdrt::KeyedFile main(pv::StorageMainFileDef(mainFileName));
  if (!main.Open()) return kStoreOpenFailed;
  write("AddToFile: Main file open, Records in file = " + std::to_string(main.Records()));
  wdrt::KeyedFile child(pv::StorageChildFileDef(childFileName));
  if (!child.Open()) return kStoreOpenFailed;
  write("AddToFile: child file open, Records in file = " + std::to_string(child.Records()));

  main.Record().Clear();
  main.Record().SetLong("RECORDID", parent);
  const bool haveParent = main.Get("KEYRECORDID");
  if (!haveParent) write("Getting parent record failed, error is " + wdrt::ErrorText());
  write("Parent record ID = " + std::to_string(parent));

  const std::size_t chunkSize = ChunkSize();
  const std::string chosen = ChooseFile("Choose a file to add to the Storage File");
  if (chosen.empty()) {
    write("AddToFile: Aborting, user did not select a file to import");
    return kStoreNoFile;
  }

  pv::BusyCursor busy;
  // The import is opened before anything stored is touched, and the old chunks give way to
  // the new ones in one transaction that is committed only once the whole import was read:
  // a missing or unreadable file leaves the stored document as it was.
  ImportFile input(chosen);
  if (!input.Open()) {
    Show("Error opening file to import, " + input.ErrorText() + ".");
    return kStoreImportFailed;
  }
  const std::size_t size = input.Size();
  write("Import file opened, SizeOfImportFile = " + std::to_string(size) + " bytes.");
  if (!child.Logout()) {
    Show("Error updating storage file 1, " + wdrt::ErrorText() + ".");
    return kStoreWriteFailed;
  }
  for (;;) {
    child.Record().Clear();
    child.Record().SetLong("PARENTID", parent);
    child.Record().SetLong("CHUNKNO", 0);
    if (!child.SetFrom("KEYPARENT") || !child.Next() || child.Record().Long("PARENTID") != parent) break;
    if (!child.Delete()) {
      Show("Error updating storage file 1, " + wdrt::ErrorText() + ".");
      child.Rollback();
      return kStoreWriteFailed;
    }
  }

  const auto count = static_cast<std::int32_t>(size == 0 ? 1 : (size + chunkSize - 1) / chunkSize);
  Progress(1, 0, count);
  std::size_t left = size;
  for (std::int32_t n = 1;; ++n) {
    Progress(2, n, count);
    const bool last = left <= chunkSize;
    const std::size_t length = last ? left : chunkSize;
    std::vector<std::uint8_t> chunk(length);
    for (std::size_t done = 0; done < length;) {
      const std::size_t piece = std::min(kPiece, length - done);
      if (!input.Read(chunk.data() + done, piece)) {
        Show("Error importing file, error is " + input.ErrorText() + "; Info=" + std::to_string(size - left + done));
        child.Rollback();
        return kStoreImportFailed;
      }
      done += piece;
    }
    child.Record().Clear();
    child.Record().SetLong("PARENTID", parent);
    child.Record().SetLong("CHUNKNO", n);
    child.Record().SetBlob("BLOB", std::move(chunk));
    if (!child.Add()) {
      Show("Error 1401 opening file, " + wdrt::ErrorText());
      child.Rollback();
      return kStoreWriteFailed;
    }
    write("Updated Storage File - Size of Blob Field in bytes = " + std::to_string(length));
    left -= length;
    if (last) break;
  }
  if (!child.Commit()) {
    Show("Error updating storage file 1, " + wdrt::ErrorText() + ".");
    return kStoreWriteFailed;
  }
  Progress(3, 0, 0);
  std::uint8_t result = kStoreDone;
  if (haveParent) {
    std::string type;
    const std::size_t dot = chosen.rfind('.');
    if (dot != std::string::npos && chosen.find('/', dot) == std::string::npos) type = chosen.substr(dot + 1, 4);
    main.Record().SetText("FILENAME", pv::Cut(chosen, 255));
    main.Record().SetText("FILETYPE", type);
    if (!main.Put()) {
      Show("Error updating storage file 2, " + wdrt::ErrorText() + ".");
      result = kStoreWriteFailed;
    }
  }
  write("Updated Storage File for last time.");
  return result;
}

std::optional<std::vector<std::uint8_t>> PvStorage::StoredBytes(std::string_view childName, std::int32_t parent) {
  wdrt::KeyedFile child(pv::StorageChildFileDef(std::string(pv::TrimRight(childName))));
  if (!child.Open()) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  child.Record().Clear();
  child.Record().SetLong("PARENTID", parent);
  child.Record().SetLong("CHUNKNO", 0);
  if (!child.SetFrom("KEYPARENT")) return std::nullopt;
  while (child.Next() && child.Record().Long("PARENTID") == parent) {
    const auto& blob = child.Record().Blob("BLOB");
    bytes.insert(bytes.end(), blob.begin(), blob.end());
  }
  return bytes;
}

std::string PvStorage::Retrieve(const std::vector<std::uint8_t>& bytes) {
  const auto write = [this](const std::string& line) { debug.DbgMsg(line, 0, 0, 0, 1); };
  write("RetrieveFromStorage - Top of Method");
  std::string folder = pv::TemporaryFolder();
  if (folder.empty()) folder = pv::CurrentFolder() + "/";
  std::string name = folder + "pvTempFile-XXXXXX";
  const int fd = ::mkstemp(name.data());  // private (0600) and unguessable
  if (fd < 0) {
    Show("Error creating new file, " + SystemText());
    return {};
  }
  write("RetrieveFromStorage - Opening TempFile");
  write("RetrieveFromStorage - Emptying TempFile");
  write("RetrieveFromStorage - Size of PassedBlob = " + std::to_string(bytes.size()));
  write("RetrieveFromStorage - Looping: Building the temporary file which we'll load...");
  bool ok = true;
  for (std::size_t done = 0; done < bytes.size() && ok;) {
    const std::size_t piece = std::min(kPiece, bytes.size() - done);
    const ssize_t written = ::write(fd, bytes.data() + done, piece);
    if (written <= 0) {
      if (errno == EINTR) continue;
      ok = false;
      Show("Error writing the new file, " + SystemText());
      break;
    }
    done += static_cast<std::size_t>(written);
  }
  write("RetrieveFromStorage - Closing TempFile");
  if (::close(fd) != 0 && ok) {
    ok = false;
    Show("Error closing the new file, " + SystemText() + ".");
  }
  if (!ok) {
    ::unlink(name.c_str());
    return {};
  }
  write("RetrieveFromStorage - End of Method");
  return name;
}
