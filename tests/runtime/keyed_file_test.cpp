// The keyed-record file driver: every field kind, keys in both directions, positioning,
// writes of the current record, open errors, share modes and locks, views, declarations.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runtime/data/ErrorState.h"
#include "runtime/data/KeyedFile.h"
#include "runtime/data/KeyedView.h"

using namespace std::chrono_literals;

namespace {

wdrt::FileDef PeopleDef() {
  using wdrt::FieldKind;
  return wdrt::FileDef{
      .label = "PEOPLE",
      .prefix = "PEO",
      .fileName = "people.dat",
      .owner = "people owner",
      .fields = {{"NAME", FieldKind::Text, 10, 0},
                 {"AGE", FieldKind::Long, 4, 0},
                 {"PRICE", FieldKind::Decimal, 5, 2},
                 {"BORN", FieldKind::Date, 4, 0},
                 {"NOTE", FieldKind::CString, 12, 0},
                 {"PHOTO", FieldKind::Blob, 0, 0}},
      .keys = {{"NAMEKEY", {{"NAME", false}}, false},
               {"AGEKEY", {{"PEO:AGE", true}, {"BORN", false}}, true}},
  };
}

class KeyedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "keyed-test-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    path_ = folder_ + "/people.dat";
    file_.SetName(path_);
    ASSERT_TRUE(file_.Create()) << wdrt::ErrorCode() << " " << wdrt::FileErrorText();
    ASSERT_TRUE(file_.Open(wdrt::kModeSharedReadWrite)) << wdrt::ErrorCode() << " " << wdrt::FileErrorText();
  }
  void TearDown() override {
    file_.Close();
    std::filesystem::remove_all(folder_);
  }

  bool AddPerson(const std::string& name, int age, int born = 0) {
    auto& r = file_.Record();
    r.Clear();
    return r.SetText("NAME", name) && r.SetLong("AGE", age) && r.SetDate("BORN", born) && file_.Add();
  }
  std::vector<std::string> Read(bool forward) {
    std::vector<std::string> names;
    while (forward ? file_.Next() : file_.Previous()) {
      std::string name = file_.Record().Text("NAME");
      names.push_back(name.substr(0, name.find_last_not_of(' ') + 1));
    }
    EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
    return names;
  }

  std::string folder_;
  std::string path_;
  wdrt::KeyedFile file_{PeopleDef()};
};

TEST_F(KeyedFileTest, EveryFieldKindSurvivesTheFile) {
  auto& r = file_.Record();
  std::vector<std::uint8_t> photo(100000);
  for (std::size_t i = 0; i < photo.size(); ++i) photo[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(r.SetText("PEO:NAME", "Ada"));
  ASSERT_TRUE(r.SetLong("AGE", -2147483647 - 1));
  ASSERT_TRUE(r.SetDecimalScaled("PRICE", -1234567));  // -12345.67
  ASSERT_TRUE(r.SetDate("BORN", 80000));
  ASSERT_TRUE(r.SetCString("NOTE", "hello world"));
  ASSERT_TRUE(r.SetBlob("PHOTO", photo));
  ASSERT_TRUE(file_.Add());
  file_.Close();
  ASSERT_TRUE(file_.Open(wdrt::AccessRead | wdrt::ShareDenyNone));
  r.Clear();
  r.SetText("NAME", "Ada");
  ASSERT_TRUE(file_.Get("NAMEKEY"));
  EXPECT_EQ(r.Text("NAME"), "Ada       ");
  EXPECT_EQ(r.Long("AGE"), -2147483647 - 1);
  EXPECT_EQ(r.DecimalScaled("PRICE"), -1234567);
  EXPECT_EQ(r.Date("BORN"), 80000);
  EXPECT_EQ(r.CString("NOTE"), "hello world");
  EXPECT_EQ(r.Blob("PHOTO"), photo);
}

TEST_F(KeyedFileTest, ValuesThatDoNotFitAreRefusedNotCut) {
  auto& r = file_.Record();
  EXPECT_FALSE(r.SetText("NAME", "Elevenchars"));
  EXPECT_FALSE(r.SetCString("NOTE", "twelve chars"));  // needs room for its NUL
  EXPECT_FALSE(r.SetDecimalScaled("PRICE", 1000000000));  // nine digits in a field of five bytes
  EXPECT_TRUE(r.SetDecimalScaled("PRICE", 999999999));
  EXPECT_FALSE(r.SetLong("NAME", 1));  // wrong kind
  EXPECT_FALSE(r.SetText("NOSUCH", "x"));
  EXPECT_EQ(r.Text("NAME"), std::string(10, ' '));
}

TEST_F(KeyedFileTest, KeysReadInTheirDeclaredDirections) {
  ASSERT_TRUE(AddPerson("Dora", 30, 5));
  ASSERT_TRUE(AddPerson("Bert", 40, 1));
  ASSERT_TRUE(AddPerson("Abel", 30, 2));
  ASSERT_TRUE(AddPerson("Cleo", 30, 2));  // same key value as Abel: stays after it
  ASSERT_TRUE(AddPerson("Eve", 10, 9));
  file_.Set("NAMEKEY");
  EXPECT_EQ(Read(true), (std::vector<std::string>{"Abel", "Bert", "Cleo", "Dora", "Eve"}));
  file_.Set("PEO:AGEKEY");
  EXPECT_EQ(Read(true), (std::vector<std::string>{"Bert", "Abel", "Cleo", "Dora", "Eve"}));
  file_.Set("AGEKEY");
  EXPECT_EQ(Read(false), (std::vector<std::string>{"Eve", "Dora", "Cleo", "Abel", "Bert"}));
  file_.Set();
  EXPECT_EQ(Read(true), (std::vector<std::string>{"Dora", "Bert", "Abel", "Cleo", "Eve"}));
}

TEST_F(KeyedFileTest, SetFromStartsAtTheBufferValue) {
  for (const char* name : {"Abel", "Bert", "Dora", "Eve"}) ASSERT_TRUE(AddPerson(name, 1));
  struct Case {
    const char* from;
    bool forward;
    std::vector<std::string> expected;
  } cases[] = {
      {"Carl", true, {"Dora", "Eve"}},
      {"Carl", false, {"Bert", "Abel"}},
      {"Bert", true, {"Bert", "Dora", "Eve"}},
      {"Bert", false, {"Bert", "Abel"}},
      {"Zed", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + (c.forward ? " next" : " previous"));
    file_.Record().Clear();
    file_.Record().SetText("NAME", c.from);
    ASSERT_TRUE(file_.SetFrom("NAMEKEY"));
    EXPECT_EQ(Read(c.forward), c.expected);
  }
}

TEST_F(KeyedFileTest, PutAndDeleteActOnTheRecordLastRead) {
  EXPECT_FALSE(file_.Put());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
  ASSERT_TRUE(AddPerson("Abel", 1));
  ASSERT_TRUE(AddPerson("Bert", 2));
  EXPECT_FALSE(AddPerson("Abel", 3));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrDuplicateKey);

  file_.Record().Clear();
  file_.Record().SetText("NAME", "Bert");
  ASSERT_TRUE(file_.Get("NAMEKEY"));
  file_.Record().SetLong("AGE", 20);
  ASSERT_TRUE(file_.Put());
  file_.Record().SetText("NAME", "Abel");
  EXPECT_FALSE(file_.Put());  // would duplicate a unique key
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrDuplicateKey);

  file_.Record().Clear();
  file_.Record().SetText("NAME", "Bert");
  ASSERT_TRUE(file_.Get("NAMEKEY"));
  EXPECT_EQ(file_.Record().Long("AGE"), 20);
  ASSERT_TRUE(file_.Delete());
  EXPECT_FALSE(file_.Delete());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
  EXPECT_EQ(file_.Records(), 1);
}

TEST_F(KeyedFileTest, OpenReportsWhatIsWrong) {
  struct Case {
    const char* label;
    std::function<void(wdrt::KeyedFile&)> prepare;
    int mode;
    int expected;
  } cases[] = {
      {"missing", [&](wdrt::KeyedFile& f) { f.SetName(folder_ + "/none.dat"); }, wdrt::kModeSharedReadWrite,
       wdrt::ErrNotFound},
      {"a folder", [&](wdrt::KeyedFile& f) { f.SetName(folder_); }, wdrt::kModeSharedReadWrite, wdrt::ErrAccessDenied},
      {"empty file",
       [&](wdrt::KeyedFile& f) {
         std::ofstream(folder_ + "/empty.dat").flush();
         f.SetName(folder_ + "/empty.dat");
       },
       wdrt::kModeSharedReadWrite, wdrt::ErrInvalidFile},
      {"already open",
       [&](wdrt::KeyedFile& f) {
         f.SetName(path_);
         f.Open(wdrt::kModeSharedReadWrite);
       },
       wdrt::kModeSharedReadWrite, wdrt::ErrAlreadyOpen},
      {"held deny-all", [&](wdrt::KeyedFile& f) { f.SetName(path_); }, wdrt::AccessReadWrite | wdrt::ShareDenyAll,
       wdrt::ErrLocked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    wdrt::KeyedFile other(PeopleDef());
    c.prepare(other);
    EXPECT_FALSE(other.Open(c.mode));
    EXPECT_EQ(wdrt::ErrorCode(), c.expected);
  }
  wdrt::FileDef otherOwner = PeopleDef();
  otherOwner.owner = "guess";
  wdrt::KeyedFile wrongPassword(otherOwner);
  wrongPassword.SetName(path_);
  EXPECT_FALSE(wrongPassword.Open(wdrt::kModeSharedReadWrite));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrInvalidFile);
}

TEST_F(KeyedFileTest, ReadOnlyOpenRefusesWrites) {
  file_.Close();
  ASSERT_TRUE(file_.Open(wdrt::AccessRead | wdrt::ShareDenyNone));
  EXPECT_FALSE(AddPerson("Abel", 1));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrAccessDenied);
}

TEST_F(KeyedFileTest, DenyAllOpenersAndLocksKeepOthersOutUntilTheyLetGo) {
  wdrt::KeyedFile other(PeopleDef());
  other.SetName(path_);
  ASSERT_TRUE(file_.Lock());
  EXPECT_FALSE(other.Open(wdrt::kModeSharedReadWrite));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrLocked);
  file_.Unlock();
  ASSERT_TRUE(other.Open(wdrt::kModeSharedReadWrite));
  EXPECT_FALSE(file_.Lock());  // someone else has it open
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrLocked);
  other.Close();

  // With Recover, OPEN waits for a deny-all opener to close.
  file_.Close();
  ASSERT_TRUE(file_.Open(wdrt::AccessReadWrite | wdrt::ShareDenyAll));
  EXPECT_EQ(other.Send("Recover=5"), "5");
  const auto start = std::chrono::steady_clock::now();
  std::thread closer([this] {
    std::this_thread::sleep_for(300ms);
    file_.Close();
  });
  const bool opened = other.Open(wdrt::kModeSharedReadWrite);
  const auto waited = std::chrono::steady_clock::now() - start;
  closer.join();
  EXPECT_TRUE(opened);
  EXPECT_GE(waited, 250ms);
  EXPECT_LT(waited, 5s);
}

TEST_F(KeyedFileTest, RemoveOnlyWhenNobodyHoldsTheFile) {
  EXPECT_TRUE(wdrt::KeyedFile::Exists(path_));
  EXPECT_FALSE(wdrt::KeyedFile::Remove(path_));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrLocked);
  file_.Close();
  EXPECT_TRUE(wdrt::KeyedFile::Remove(path_));
  EXPECT_FALSE(wdrt::KeyedFile::Exists(path_));
  EXPECT_FALSE(wdrt::KeyedFile::Remove(path_));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNotFound);
  // A new file under the same name starts empty.
  ASSERT_TRUE(file_.Create());
  ASSERT_TRUE(file_.Open(wdrt::kModeSharedReadWrite));
  EXPECT_EQ(file_.Records(), 0);
}

TEST_F(KeyedFileTest, SendKeepsDriverOptions) {
  EXPECT_EQ(file_.Send("Recover"), "0");
  EXPECT_EQ(file_.Send("RECOVER=10"), "10");
  EXPECT_EQ(file_.Send("QuickScan=on"), "on");
  EXPECT_EQ(file_.Send("QUICKSCAN=off"), "off");
  EXPECT_EQ(file_.Send("NoSuchOption=1"), "");
}

TEST_F(KeyedFileTest, ViewReadsInKeyOrderThroughItsFilter) {
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(AddPerson("P" + std::to_string(i), i));
  wdrt::KeyedView view(file_, "AGEKEY");
  view.SetFilter([](const wdrt::RecordBuffer& r) { return r.Long("AGE") % 3 == 0; });
  ASSERT_TRUE(view.Open());
  std::vector<int> ages;
  while (view.Next()) ages.push_back(file_.Record().Long("AGE"));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
  EXPECT_EQ(ages, (std::vector<int>{9, 6, 3, 0}));
  wdrt::KeyedView badKey(file_, "NOKEY");
  EXPECT_FALSE(badKey.Open());
  EXPECT_FALSE(badKey.Next());
}

TEST_F(KeyedFileTest, ThreadsWithTheirOwnFileObjectsAllGetTheirRecordsIn) {
  constexpr int kPerThread = 50;
  std::atomic<int> failures{0};
  auto writer = [&](int which) {
    wdrt::KeyedFile mine(PeopleDef());
    mine.SetName(path_);
    if (!mine.Open(wdrt::kModeSharedReadWrite)) {
      ++failures;
      return;
    }
    for (int i = 0; i < kPerThread; ++i) {
      mine.Record().Clear();
      mine.Record().SetText("NAME", "T" + std::to_string(which) + "-" + std::to_string(i));
      if (!mine.Add()) ++failures;
    }
  };
  std::thread a(writer, 1), b(writer, 2);
  a.join();
  b.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(file_.Records(), 2 * kPerThread);
}

TEST(FileDefTest, UnsoundDeclarationsAreRefused) {
  struct Case {
    const char* label;
    std::function<void(wdrt::FileDef&)> spoil;
  } cases[] = {
      {"long of 2 bytes", [](wdrt::FileDef& d) { d.fields[1].size = 2; }},
      {"decimal of 10 bytes", [](wdrt::FileDef& d) { d.fields[2].size = 10; }},
      {"field twice", [](wdrt::FileDef& d) { d.fields[3].name = "name"; }},
      {"name with a quote", [](wdrt::FileDef& d) { d.fields[0].name = "NA\"ME"; }},
      {"key on unknown field", [](wdrt::FileDef& d) { d.keys[0].components[0].field = "NOPE"; }},
      {"key on a blob", [](wdrt::FileDef& d) { d.keys[0].components[0].field = "PHOTO"; }},
      {"key without components", [](wdrt::FileDef& d) { d.keys[1].components.clear(); }},
  };
  EXPECT_EQ(wdrt::ValidateFileDef(PeopleDef()), "");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    wdrt::FileDef def = PeopleDef();
    c.spoil(def);
    EXPECT_NE(wdrt::ValidateFileDef(def), "");
    wdrt::KeyedFile file(def);
    file.SetName("/nonexistent/x.dat");
    EXPECT_FALSE(file.Create());
    EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrDriver);
  }
}

TEST(PackedDecimalTest, ValuesAtTheLimitsOfTheField) {
  struct Case {
    std::int64_t value;
    std::size_t size;
    bool fits;
  } cases[] = {
      {0, 1, true},      {9, 1, true},        {10, 1, false},     {-9, 1, true},
      {99999, 3, true},  {100000, 3, false},  {-99999, 3, true},  {99999999999999999, 9, true},
      {INT64_MIN, 9, false}, {INT64_MAX, 9, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    std::vector<std::uint8_t> bytes(c.size);
    EXPECT_EQ(wdrt::PackDecimal(c.value, bytes.data(), c.size), c.fits);
    if (c.fits) {
      EXPECT_EQ(wdrt::UnpackDecimal(bytes.data(), c.size), c.value);
    }
  }
}

}  // namespace
