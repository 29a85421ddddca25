// PvMaster's utilities and dial-up: the registry store and its result codes, versions, page
// setup, temporary files, colours, files and e-mail messages, NetworkManager through a
// stand-in client.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "pvmedia/PvDUN.h"
#include "pvmedia/PvMedia.h"
#include "pvmedia/PvRegistry.h"
#include "pvmedia/PvUtilities.h"
#include "runtime/dialogs/Message.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

namespace fs = std::filesystem;

class Utilities : public pvtest::MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    ::setenv("XDG_CONFIG_HOME", (folder_.Path() / "config").c_str(), 1);
    fs::create_directories(folder_.Path() / "tmp");
    ::setenv("TMPDIR", (folder_.Path() / "tmp").c_str(), 1);
  }
  void TearDown() override {
    wdrt::SetMessageAnswerer(nullptr);
    pv::SetColorChooser(nullptr);
    pv::SetOsReleaseFile("");
    ::unsetenv("PV_NMCLI");
    ::unsetenv("TMPDIR");
    MediaTest::TearDown();
  }
  // Answers the message boxes in turn and records their texts.
  void Answer(std::vector<int> answers) {
    answers_ = std::move(answers);
    wdrt::SetMessageAnswerer([this](const wdrt::MessageRequest& request) {
      asked_.push_back(request.text);
      if (answers_.empty()) return static_cast<int>(wdrt::ButtonOk);
      const int answer = answers_.front();
      answers_.erase(answers_.begin());
      return answer;
    });
  }
  // A stand-in for NetworkManager's client that prints `output` and logs its arguments.
  void FakeNm(const std::string& script) {
    const fs::path file = folder_.Path() / "nmcli";
    std::ofstream(file) << "#!/bin/sh\necho \"$@\" >> " << (folder_.Path() / "nm.log").string() << "\n" << script;
    fs::permissions(file, fs::perms::owner_all);
    ::setenv("PV_NMCLI", file.c_str(), 1);
  }
  std::string NmLog() const { return soundtest::ReadBytes((folder_.Path() / "nm.log").string()); }

  std::vector<int> answers_;
  std::vector<std::string> asked_;
};

TEST_F(Utilities, RgbToHexTurnsPlatformColoursIntoHtmlOrder) {
  PvMedia master;
  const std::pair<std::int32_t, const char*> cases[] = {
      {255, "FF0000"}, {16711680, "0000FF"}, {65280, "00FF00"}, {0, "000000"}, {0x123456, "563412"}, {-1, "FFFFFF"}};
  for (const auto& [colour, hex] : cases) EXPECT_EQ(master.RGBToHex(colour), hex) << colour;
}

TEST_F(Utilities, PickColorReturnsTheChoiceWithAHashOrNothing) {
  PvMedia master;
  pv::SetColorChooser([] { return std::optional<std::uint32_t>(255); });
  EXPECT_EQ(master.PickColor(), "#FF0000");
  pv::SetColorChooser([] { return std::optional<std::uint32_t>(); });
  EXPECT_EQ(master.PickColor(), "");
}

TEST_F(Utilities, SetRegValueCreatesKeysOnlyWhenTheUserAgrees) {
  PvMedia master;
  const std::string key = "Software\\Storyloom\\Viewer";
  EXPECT_EQ(master.SetRegValue("v", " ", key, "HKEY_CURRENT_USER"), 0);  // blank value name: nothing
  EXPECT_TRUE(asked_.empty());
  Answer({wdrt::ButtonNo});
  EXPECT_EQ(master.SetRegValue("v", "Name", key, "HKEY_CURRENT_USER"), 1);
  EXPECT_EQ(master.GetRegValue("Name", key, "HKEY_CURRENT_USER"), "");
  Answer({wdrt::ButtonYes});
  EXPECT_EQ(master.SetRegValue("blue  ", "Name", key, "  hkey_current_user"), 0);
  ASSERT_EQ(asked_.size(), 2u);
  EXPECT_EQ(asked_[1], "A key in your windows registry does not exist and needs to be created.  Create key now?");
  EXPECT_EQ(master.GetRegValue("name", "software\\storyloom\\viewer", "HKEY_CURRENT_USER"), "blue");
  EXPECT_EQ(master.GetRegValue("Name", key, "HKEY_LOCAL_MACHINE"), "");
  EXPECT_EQ(master.GetRegValue("Name", key, "HKEY_NOWHERE"), "");
  EXPECT_EQ(master.SetRegValue("v", "Name", key, "HKEY_NOWHERE"), 1);
  EXPECT_EQ(master.SetRegValue("red", "Name", key, "HKEY_CURRENT_USER"), 0);  // existing key: no question
  EXPECT_EQ(asked_.size(), 2u);
  EXPECT_EQ(master.GetRegValue("Name", key, "HKEY_CURRENT_USER"), "red");
  fs::permissions(fs::path(pv::RegistryFile()).parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  const std::uint8_t readOnly = master.SetRegValue("green", "Name", key, "HKEY_CURRENT_USER");
  fs::permissions(fs::path(pv::RegistryFile()).parent_path(), fs::perms::owner_all);
  if (::geteuid() != 0) {
    EXPECT_EQ(readOnly, 3);
  }  // root writes anyway
}

TEST_F(Utilities, PageSetupComesFromTheStore) {
  const std::string key = "software\\microsoft\\internet explorer\\pagesetup";
  ASSERT_TRUE(pv::RegCreateKey("HKEY_CURRENT_USER", key));
  pv::RegWrite("HKEY_CURRENT_USER", key, "header", "&w&bPage &p");
  pv::RegWrite("HKEY_CURRENT_USER", key, "footer", "&u");
  const std::pair<const char*, const char*> orientations[] = {{"1", "portrait"}, {"2", "landscape"}, {"", ""}};
  for (const auto& [stored, shown] : orientations) {
    pv::RegWrite("HKEY_CURRENT_USER", key, "orientation", stored);
    PvMedia master;
    master.IEPRINTERHEADER = "old";
    master.GetIEPageSetupInfo();
    EXPECT_EQ(master.IEPRINTERHEADER, "&w&bPage &p");
    EXPECT_EQ(master.IEPRINTERFOOTER, "&u");
    EXPECT_EQ(master.IEPRINTERORIENTATION, shown);
  }
}

TEST_F(Utilities, OsVersionComesFromTheSystemsDescription) {
  struct Case {
    const char* release;
    const char* text;
    int os;
  } cases[] = {{"NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", "Debian GNU/Linux 12 (bookworm)", 0},
               {"NAME=Fedora\n", "Fedora", 0},
               {"PRETTY_NAME='Microsoft Windows 98 compatible'\n", "Microsoft Windows 98 compatible", 3},
               {"PRETTY_NAME=\"microsoft windows 2000\"\n", "microsoft windows 2000", 4},
               {"", "Unknown", 0}};
  for (const Case& c : cases) {
    const std::string file = (folder_.Path() / "os-release").string();
    std::ofstream(file) << c.release;
    pv::SetOsReleaseFile(file);
    PvMedia master;
    EXPECT_EQ(master.GetOSVersion(), c.text);
    EXPECT_EQ(master.OS, c.os) << c.text;
    EXPECT_EQ(master.OCXVersion("windows"), c.text);
  }
}

TEST_F(Utilities, ControlVersionsAreWhatIsInstalled) {
  PvMedia master;
  master.OBJECTTYPE = "media";
  EXPECT_EQ(master.OCXVersion("something"), "Unsupported Object Type");
  EXPECT_EQ(master.OBJECTTYPE, "media");  // restored
  EXPECT_EQ(master.PDFVERSION, "Unsupported Object Type");
  const std::string browser = master.OCXVersion("HTML1");
  const std::string pdf = master.OCXVersion("pdf");
  const std::string flash = master.OCXVersion("flash");
  if (fs::exists(std::string(STORYLOOM_SUITE_DIR) + "/libpvhosted.so")) {
    EXPECT_EQ(browser.rfind("Qt WebEngine ", 0), 0u) << browser;
    EXPECT_EQ(pdf, "Acrobat 4");
    EXPECT_EQ(master.PDF4SUPPORTED, 1);
    EXPECT_EQ(master.PDF5SUPPORTED, 0);
    const bool ruffle = fs::exists(std::string(STORYLOOM_SUITE_DIR) + "/ruffle/ruffle.js");
    EXPECT_EQ(flash.rfind(ruffle ? "Ruffle " : "Not found", 0), 0u) << flash;
  } else {
    EXPECT_EQ(browser, "Not found");
    EXPECT_EQ(pdf, "Not found");
    EXPECT_EQ(flash, "Not found");
  }
}

TEST_F(Utilities, RemoveTempFilesAsksForEachFileAndStopsOnCancel) {
  const fs::path tmp = folder_.Path() / "tmp";
  for (const char* name : {"a.tmp", "b.tmp", "c.tmp", "keep.txt"}) std::ofstream(tmp / name) << "x";
  PvMedia master;
  master.TEMPDIRLOCATION = 1;
  Answer({wdrt::ButtonNo, wdrt::ButtonYes, wdrt::ButtonCancel});
  master.RemoveTempFiles("*.tmp", 1);
  EXPECT_EQ(asked_, (std::vector<std::string>{"Delete a.tmp ?", "Delete b.tmp ?", "Delete c.tmp ?"}));
  EXPECT_TRUE(fs::exists(tmp / "a.tmp"));
  EXPECT_FALSE(fs::exists(tmp / "b.tmp"));
  EXPECT_TRUE(fs::exists(tmp / "c.tmp"));
  master.RemoveTempFiles("*.tmp", 0);
  EXPECT_FALSE(fs::exists(tmp / "a.tmp"));
  EXPECT_TRUE(fs::exists(tmp / "keep.txt"));
  asked_.clear();
  master.RemoveTempFiles("*.tmp", 1);
  EXPECT_EQ(asked_, (std::vector<std::string>{"No files need to be deleted."}));
  master.TEMPDIRLOCATION = 7;  // neither folder: nothing
  asked_.clear();
  master.RemoveTempFiles("*", 1);
  EXPECT_TRUE(asked_.empty());
  EXPECT_TRUE(fs::exists(tmp / "keep.txt"));
}

TEST_F(Utilities, FilesAndPathsAndMessages) {
  PvMedia master;
  const std::string file = (folder_.Path() / "out.txt").string();
  EXPECT_EQ(master.VarToFile("first", file), "");
  EXPECT_EQ(master.VarToFile("second", file), "");
  EXPECT_EQ(soundtest::ReadBytes(file), "second");
  EXPECT_EQ(master.VarToFile(" more", file, 1), "");
  EXPECT_EQ(soundtest::ReadBytes(file), "second more");
  EXPECT_EQ(master.VarToFile("x", (folder_.Path() / "missing" / "f.txt").string()).rfind("Error: ", 0), 0u);
  EXPECT_EQ(master.HTMLestPath("file:///srv/site/a%20b/index.html"), "/srv/site/a b/");
  EXPECT_EQ(master.HTMLestPath("/srv/x.html"), "/srv/");

  const std::string mail = (folder_.Path() / "m.eml").string();
  EXPECT_EQ(master.ConstructEML(mail, "reply@example.org", "Kim <kim@example.org>", "ana@example.org",
                                "Hi\r\nBcc: evil@example.org", "Line one\nLine two"), "");
  const std::string text = soundtest::ReadBytes(mail);
  EXPECT_NE(text.find("\r\nFrom: Kim <kim@example.org>\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nReply-To: reply@example.org\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nTo: ana@example.org\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSubject: Hi  Bcc: evil@example.org\r\n"), std::string::npos);  // no header injected
  EXPECT_EQ(text.find("\r\nBcc:"), std::string::npos);
  EXPECT_EQ(text.rfind("Date: ", 0), 0u);
  EXPECT_NE(text.find("\r\nMessage-ID: <"), std::string::npos);
  EXPECT_NE(text.find("\r\n\r\nLine one\r\nLine two\r\n"), std::string::npos);
  EXPECT_EQ(master.ConstructEML(mail, "", "a@b", "c@d", "Grüße", "x"), "");
  EXPECT_NE(soundtest::ReadBytes(mail).find("Subject: =?UTF-8?B?R3LDvMOfZQ==?="), std::string::npos);
}

TEST_F(Utilities, DialUpDrivesNetworkManager) {
  PvMedia master;
  EXPECT_EQ(master.InvokeDUN("any", 9), 0);  // unknown action: nothing runs
  ::setenv("PV_NMCLI", (folder_.Path() / "no-such-client").c_str(), 1);
  EXPECT_EQ(PV_ONLINESTATUS(), 41);
  EXPECT_EQ(master.InvokeDUN("Mobile", 2), 41);
  FakeNm("case \"$*\" in\n"
         "*CONNECTIVITY*) echo full;;\n"
         "*NAME,TYPE*) echo 'Mobile:gsm';;\n"
         "*TYPE\\ connection\\ show\\ --active*) echo 802-3-ethernet; echo gsm;;\n"
         "*up\\ id\\ Broken*) exit 4;;\n"
         "esac\nexit 0\n");
  EXPECT_EQ(PV_ONLINESTATUS(), 1);  // the modem wins over the local network
  pv::ForgetDialledConnections();
  EXPECT_EQ(master.InvokeDUN("Mobile", 2), 0);
  EXPECT_EQ(master.InvokeDUN("mobile", 2), 0);  // the same name replaces its entry
  EXPECT_EQ(pv::DialledConnectionCount(), 1u);
  EXPECT_EQ(master.InvokeDUN("Broken", 2), 44);
  EXPECT_EQ(pv::DialledConnectionCount(), 1u);
  EXPECT_EQ(master.InvokeDUN("Nobody", 4), 0);  // unresolved name
  EXPECT_EQ(master.InvokeDUN("", 4), 0);        // every dialled connection
  EXPECT_EQ(pv::DialledConnectionCount(), 0u);
  EXPECT_EQ(static_cast<int>(master.InvokeDUN("", 3)), 0);        // the default (active) connection
  const std::string log = NmLog();
  EXPECT_NE(log.find("connection up id Mobile"), std::string::npos);
  EXPECT_NE(log.find("connection down id mobile"), std::string::npos);
  EXPECT_NE(log.find("connection down id Mobile"), std::string::npos);
  FakeNm("case \"$*\" in *CONNECTIVITY*) echo none;; esac\nexit 0\n");
  EXPECT_EQ(PV_ONLINESTATUS(), 0);
  FakeNm("exit 8\n");  // NetworkManager is not running
  EXPECT_EQ(PV_ONLINESTATUS(), 41);
}

TEST_F(Utilities, KillHangsUpAModemConnectionByThePolicy) {
  FakeNm("case \"$*\" in\n"
         "*CONNECTIVITY*) echo full;;\n"
         "*NAME,TYPE*) echo 'Mobile:gsm';;\n"
         "*TYPE\\ connection\\ show\\ --active*) echo gsm;;\n"
         "esac\nexit 0\n");
  struct Case {
    int dial;
    const char* downs;  // what the client was asked to take down
  } cases[] = {{1, "-t connection down id Mobile\n"}, {2, ""}, {0, "-t connection down id Mobile\n"}};
  for (const Case& c : cases) {
    fs::remove(folder_.Path() / "nm.log");
    PvMedia media;
    media.DEBUGGING = 1;
    media.AUTODISCONNECTDEFAULTINTERNETCONNECTION = 1;
    media.AUTODIALDEFAULTINTERNETCONNECTION = static_cast<std::uint8_t>(c.dial);
    media.PvMaster::Kill();
    std::string downs;
    std::istringstream log(NmLog());
    for (std::string line; std::getline(log, line);)
      if (line.find(" down ") != std::string::npos) downs += line + "\n";
    EXPECT_EQ(downs, c.downs) << c.dial;
  }
  EXPECT_NE(DebugText().find("PvMaster::Kill - Closing modem connection... - RetVar = 0"), std::string::npos);
  PvMedia offline;
  offline.AUTODISCONNECTDEFAULTINTERNETCONNECTION = 0;
  fs::remove(folder_.Path() / "nm.log");
  offline.PvMaster::Kill();
  EXPECT_EQ(NmLog(), "");  // nothing asked
}

TEST_F(Utilities, ActivityLogWritesItsSevenEntries) {
  PvMedia media;
  media.OS = 9;
  media.UseLogFile();
  const fs::path log = folder_.Path() / "pv_log.txt";
  ASSERT_EQ(media.LOGFILENAME, log.string());
  const std::string text = soundtest::ReadBytes(log.string());
  EXPECT_NE(text.find("[pv_Class]"), std::string::npos);
  EXPECT_NE(text.find("1=New Panoview Log: "), std::string::npos);
  EXPECT_NE(text.find("4=PV Info:  Class Version 2.5d"), std::string::npos);
  EXPECT_NE(text.find("5=self.OS: 9"), std::string::npos);
  EXPECT_NE(text.find("6=LogFile: " + log.string()), std::string::npos);
  EXPECT_NE(text.find("7=</Info>"), std::string::npos);
  media.UseLogFile();  // written again in place
  EXPECT_EQ(media.INIENTRYCOUNTER, 7);
  EXPECT_EQ(soundtest::ReadBytes(log.string()).find("8="), std::string::npos);
}

}  // namespace
