// Names print in the code page that holds them; a name no single code page holds is refused.
#include <gtest/gtest.h>

#include "runtime/report/TextCodePage.h"
#include "runtime/report/WmfTextCodec.h"
#include "runtime/report/WmfFormat.h"

using namespace wdrt::report;

TEST(TextCodePage, EachNameFindsTheCodePageThatHoldsIt) {
  struct Case {
    const char* name;
    int charset;  // -1: refused
    const char* bytes;
  };
  const Case cases[] = {
      {"Zuli", ANSI_CHARSET, "Zuli"},
      {"Zoë Chloé", ANSI_CHARSET, "Zo\xEB Chlo\xE9"},
      {"Łucja", EASTEUROPE_CHARSET, "\xA3ucja"},
      {"Маша", RUSSIAN_CHARSET, "\xCC\xE0\xF8\xE0"},
      {"Ζωή", GREEK_CHARSET, "\xC6\xF9\xDE"},
      {"Ayşe", EASTEUROPE_CHARSET, "Ay\xBA" "e"},
      {"İlkay", TURKISH_CHARSET, "\xDDlkay"},
      {"李娜", -1, ""},
      {"Zoë Маша", -1, ""},           // two alphabets no single code page holds together
      {"bad \xC3", -1, ""},           // not UTF-8
      {"smile 😀", -1, ""},
  };
  for (const Case& c : cases) {
    auto encoded = EncodeForPage(c.name);
    if (c.charset < 0) {
      EXPECT_FALSE(encoded.has_value()) << c.name;
      EXPECT_FALSE(PrintableOnPage(c.name)) << c.name;
      continue;
    }
    ASSERT_TRUE(encoded.has_value()) << c.name;
    EXPECT_EQ(encoded->charset, c.charset) << c.name;
    EXPECT_EQ(encoded->bytes, c.bytes) << c.name;
    // What the page's readers decode from those bytes is the name again.
    EXPECT_EQ(DecodeWmfText(QByteArray::fromStdString(encoded->bytes), encoded->charset).toStdString(), c.name);
  }
}

TEST(TextCodePage, ReadersDecodeOtherCodePagesAndTheRefusalNamesTheText) {
  EXPECT_EQ(DecodeWmfText("\x93\xfa\x96\x7b", SHIFTJIS_CHARSET).toStdString(), "日本");
  EXPECT_NE(UnprintableTextMessage("李娜").find("李娜"), std::string::npos);
}
