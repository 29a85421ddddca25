// Chunked file storage: chunk sizes, replacing a parent's chunks, the file choice, progress
// stages, and reading a stored file back through a private temporary file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "pvmedia/PvStorage.h"
#include "pvmedia/PvText.h"
#include "runtime/data/KeyedFile.h"
#include "runtime/dialogs/Message.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Records the progress calls.
class RecordingStorage : public PvStorage {
 public:
  void Progress(std::uint8_t stage, std::int32_t chunk, std::int32_t count) override {
    calls.push_back({stage, chunk, count});
  }
  std::vector<std::array<int, 3>> calls;
};

class Storage : public pvtest::MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    ::setenv("TMPDIR", folder_.Path().c_str(), 1);
    wdrt::KeyedFile main(pv::StorageMainFileDef("docs.tps"));
    ASSERT_TRUE(main.Create());
    ASSERT_TRUE(main.Open());
    for (int id : {1, 2}) {
      main.Record().Clear();
      main.Record().SetLong("RECORDID", id);
      ASSERT_TRUE(main.Add());
    }
    main.Close();
    wdrt::KeyedFile child(pv::StorageChildFileDef("chunks.tps"));
    ASSERT_TRUE(child.Create());
  }
  void TearDown() override {
    pv::SetStorageFileChooser(nullptr);
    wdrt::SetMessageAnswerer(nullptr);
    ::unsetenv("TMPDIR");
    MediaTest::TearDown();
  }
  std::vector<std::uint8_t> MakeFile(const std::string& name, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::mt19937 random(static_cast<unsigned>(size));
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    pv::SetStorageFileChooser([name](const std::string&) { return name; });
    return bytes;
  }
  // Blob sizes of the parent's chunks, in order.
  std::vector<std::size_t> ChunkSizes(int parent) {
    std::vector<std::size_t> sizes;
    wdrt::KeyedFile child(pv::StorageChildFileDef("chunks.tps"));
    EXPECT_TRUE(child.Open());
    child.Record().Clear();
    child.Record().SetLong("PARENTID", parent);
    child.SetFrom("KEYPARENT");
    while (child.Next() && child.Record().Long("PARENTID") == parent) sizes.push_back(child.Record().Blob("BLOB").size());
    return sizes;
  }
};

TEST_F(Storage, ChunkSizeFollowsTheLimit) {
  const std::pair<std::int32_t, std::size_t> cases[] = {
      {0, 2097152}, {100, 102400}, {16384, 16777216}, {16385, 2097152}, {20000, 2097152}, {-5, 2097152}};
  for (const auto& [limit, size] : cases) {
    PvStorage storage;
    storage.CHUNKSIZELIMIT = limit;
    EXPECT_EQ(storage.ChunkSize(), size) << limit;
  }
}

TEST_F(Storage, FilesAreStoredInChunksAndReadBackByteForByte) {
  constexpr std::size_t kMb = 1048576;
  struct Case {
    std::size_t size;
    std::int32_t limit;
    std::vector<std::size_t> chunks;
  } cases[] = {{5 * kMb, 0, {2 * kMb, 2 * kMb, kMb}},
               {4 * kMb, 0, {2 * kMb, 2 * kMb}},
               {0, 0, {0}},
               {250000, 100, {102400, 102400, 45200}}};
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> bytes = MakeFile("import.bin", c.size);
    RecordingStorage storage;
    storage.CHUNKSIZELIMIT = c.limit;
    ASSERT_EQ(storage.Store("docs.tps", "chunks.tps", 1), 0);
    EXPECT_EQ(ChunkSizes(1), c.chunks) << c.size;
    const int count = static_cast<int>(c.chunks.size());
    ASSERT_EQ(storage.calls.size(), c.chunks.size() + 2);
    EXPECT_EQ(storage.calls.front(), (std::array<int, 3>{1, 0, count}));
    EXPECT_EQ(storage.calls[1], (std::array<int, 3>{2, 1, count}));
    EXPECT_EQ(storage.calls.back(), (std::array<int, 3>{3, 0, 0}));
    const auto stored = storage.StoredBytes("chunks.tps", 1);
    ASSERT_TRUE(stored.has_value());
    const std::string file = storage.Retrieve(*stored);
    ASSERT_FALSE(file.empty());
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(fs::path(file).filename().string().rfind("pvTempFile", 0), 0u);
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(back == bytes) << c.size;
    fs::remove(file);
  }
}

TEST_F(Storage, StoringAgainReplacesOnlyThatParentsChunks) {
  MakeFile("big.bin", 300000);
  PvStorage storage;
  storage.CHUNKSIZELIMIT = 100;
  ASSERT_EQ(storage.Store("docs.tps", "chunks.tps", 1), 0);
  ASSERT_EQ(storage.Store("docs.tps", "chunks.tps", 2), 0);
  const std::vector<std::uint8_t> small = MakeFile("small.txt", 10);
  ASSERT_EQ(storage.Store("docs.tps", "chunks.tps", 1), 0);
  EXPECT_EQ(ChunkSizes(1), (std::vector<std::size_t>{10}));
  EXPECT_EQ(ChunkSizes(2).size(), 3u);
  EXPECT_EQ(*storage.StoredBytes("chunks.tps", 1), small);
  wdrt::KeyedFile main(pv::StorageMainFileDef("docs.tps"));
  ASSERT_TRUE(main.Open());
  main.Record().SetLong("RECORDID", 1);
  ASSERT_TRUE(main.Get("KEYRECORDID"));
  EXPECT_EQ(std::string(pv::TrimRight(main.Record().Text("FILETYPE"))), "txt");
}

TEST_F(Storage, ResultCodesTellOpenFailuresAndACancelledChoice) {
  pv::SetStorageFileChooser([](const std::string& title) {
    EXPECT_EQ(title, "Choose a file to add to the Storage File");
    return std::string();
  });
  PvStorage storage;
  storage.debug.DEBUGGING = 1;
  EXPECT_EQ(storage.Store("docs.tps", "chunks.tps", 1), 2);
  EXPECT_NE(DebugText().find("AddToFile: Aborting, user did not select a file to import"), std::string::npos);
  std::vector<std::string> asked;
  wdrt::SetMessageAnswerer([&](const wdrt::MessageRequest& request) {
    asked.push_back(request.text);
    return static_cast<int>(wdrt::ButtonIgnore);  // go on after STOP
  });
  EXPECT_EQ(storage.Store("missing.tps", "chunks.tps", 1), 1);
  EXPECT_EQ(asked, (std::vector<std::string>{"File 1 does not exist!"}));
  EXPECT_EQ(storage.Store("docs.tps", "nowhere.tps", 1), 1);
  EXPECT_EQ(asked.back(), "File 2 does not exist!");
}

// Shrinks the import to `keep` bytes when chunk `atChunk` is about to be read, as a file
// that another program cuts short (or a device that gives up) would.
class ShrinkingImport : public PvStorage {
 public:
  ShrinkingImport(std::string file, std::int32_t atChunk, std::size_t keep)
      : file_(std::move(file)), atChunk_(atChunk), keep_(keep) {}
  void Progress(std::uint8_t stage, std::int32_t chunk, std::int32_t) override {
    if (stage == 2 && chunk == atChunk_) fs::resize_file(file_, keep_);
  }

 private:
  std::string file_;
  std::int32_t atChunk_;
  std::size_t keep_;
};

TEST_F(Storage, AnImportThatCannotBeReadWholeLeavesTheStoredDocumentAsItWas) {
  const std::vector<std::uint8_t> stored = MakeFile("story.pdf", 250000);
  PvStorage first;
  first.CHUNKSIZELIMIT = 100;
  ASSERT_EQ(first.Store("docs.tps", "chunks.tps", 1), kStoreDone);
  std::vector<std::string> shown;
  wdrt::SetMessageAnswerer([&](const wdrt::MessageRequest& request) {
    shown.push_back(request.text);
    return static_cast<int>(wdrt::ButtonOk);
  });
  const auto storedName = [] {
    wdrt::KeyedFile main(pv::StorageMainFileDef("docs.tps"));
    EXPECT_TRUE(main.Open());
    main.Record().SetLong("RECORDID", 1);
    EXPECT_TRUE(main.Get("KEYRECORDID"));
    return std::string(pv::TrimRight(main.Record().Text("FILENAME")));
  };
  const auto unchanged = [&](const std::string& what) {
    EXPECT_EQ(*first.StoredBytes("chunks.tps", 1), stored) << what;
    EXPECT_EQ(ChunkSizes(1), (std::vector<std::size_t>{102400, 102400, 45200})) << what;
    EXPECT_EQ(storedName(), "story.pdf") << what;
  };

  pv::SetStorageFileChooser([](const std::string&) { return std::string("/no/such/file"); });
  EXPECT_EQ(first.Store("docs.tps", "chunks.tps", 1), kStoreImportFailed);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Error opening file to import, No such file or directory.");
  unchanged("missing import");

  pv::SetStorageFileChooser([this](const std::string&) { return folder_.Path().string(); });
  EXPECT_EQ(first.Store("docs.tps", "chunks.tps", 1), kStoreImportFailed);
  unchanged("a folder as the import");

  // The new file is cut short after its first chunk was read: chunk 2 finds the end early.
  MakeFile("longer.pdf", 300000);
  ShrinkingImport shrinking("longer.pdf", 2, 150000);
  shrinking.CHUNKSIZELIMIT = 100;
  EXPECT_EQ(shrinking.Store("docs.tps", "chunks.tps", 1), kStoreImportFailed);
  // Info is where the 1024-byte piece that ran past the new end began.
  EXPECT_EQ(shown.back(), "Error importing file, error is the file ended before its 300000 bytes were read; "
                          "Info=149504");
  unchanged("an import that fails mid-read");
}

}  // namespace
