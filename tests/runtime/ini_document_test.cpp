// Profile semantics of the INI document: lookup rules, keeping the file's lines, where new
// keys and sections go, and bad input that must read without failing.
#include <gtest/gtest.h>

#include <string>

#include "runtime/data/IniFile.h"

namespace wdrt {
namespace {

struct LookupCase {
  const char* name;
  const char* text;
  const char* section;
  const char* key;
  const char* expected;  // nullptr: not found
};

class IniLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsWhatWindowsFinds) {
  const LookupCase& c = GetParam();
  const auto value = IniDocument::Parse(c.text).Get(c.section, c.key);
  if (c.expected == nullptr) {
    EXPECT_FALSE(value.has_value()) << *value;
  } else {
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLookup,
    ::testing::Values(
        LookupCase{"plain", "[A]\nk=v\n", "A", "k", "v"},
        LookupCase{"sectionCase", "[Sound]\nVolume=7\n", "sOUND", "volume", "7"},
        LookupCase{"blanksAroundNames", "  [ Sound ]  \n  Volume  =  7  \n", "Sound", "Volume", "7"},
        LookupCase{"firstKeyWins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        LookupCase{"firstSectionWins", "[A]\nx=1\n[a]\nk=2\n", "A", "k", nullptr},
        LookupCase{"keyOfOtherSection", "[A]\nk=1\n[B]\nj=2\n", "B", "k", nullptr},
        LookupCase{"keyBeforeAnySection", "k=1\n[A]\n", "A", "k", nullptr},
        LookupCase{"emptyValue", "[A]\nk=\n", "A", "k", ""},
        LookupCase{"valueKeepsEquals", "[A]\nk=a=b\n", "A", "k", "a=b"},
        LookupCase{"valueKeepsSemicolon", "[A]\nk=a ; b\n", "A", "k", "a ; b"},
        LookupCase{"quotesDropped", "[A]\nk=\" spaced \"\n", "A", "k", " spaced "},
        LookupCase{"singleQuotesDropped", "[A]\nk='x'\n", "A", "k", "x"},
        LookupCase{"unmatchedQuoteKept", "[A]\nk=\"x'\n", "A", "k", "\"x'"},
        LookupCase{"commentIsNoKey", "[A]\n;k=1\nk=2\n", "A", "k", "2"},
        LookupCase{"lineWithoutEquals", "[A]\nk\nk=3\n", "A", "k", "3"},
        LookupCase{"crlf", "[A]\r\nk=v\r\n", "A", "k", "v"},
        LookupCase{"noFinalLineEnd", "[A]\nk=v", "A", "k", "v"},
        LookupCase{"headerWithoutBracket", "[A]\n[B\nk=1\n", "A", "k", "1"},
        LookupCase{"headerNameToLastBracket", "[a]b]\nk=1\n", "a]b", "k", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocument, NulBytesAreData) {
  const std::string text("[A]\nk=a\0b\n", 10);
  EXPECT_EQ(IniDocument::Parse(text).Get("A", "k"), std::string("a\0b", 3));
}

TEST(IniDocument, UntouchedTextSurvivesByteForByte) {
  const std::string text = "; top comment\r\n\r\n[One]\r\nA = 1 ; note\r\nodd line\r\n[Two]\r\nB=2";
  EXPECT_EQ(IniDocument::Parse(text).Serialize(), text);
}

TEST(IniDocument, SetReplacesOnlyTheValueOfTheFirstMatch) {
  IniDocument doc = IniDocument::Parse("; c\n[Main]\nName=old\n; keep\nname=second\n");
  ASSERT_TRUE(doc.Set("MAIN", "NAME", "new"));
  EXPECT_EQ(doc.Serialize(), "; c\n[Main]\nName=new\n; keep\nname=second\n");
}

TEST(IniDocument, NewKeyGoesAtTheEndOfItsSectionBeforeTheGap) {
  IniDocument doc = IniDocument::Parse("[A]\nx=1\n\n[B]\ny=2\n");
  ASSERT_TRUE(doc.Set("a", "z", "3"));
  EXPECT_EQ(doc.Serialize(), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
}

TEST(IniDocument, NewSectionIsAppendedAfterABlankLineInTheFileLineEnds) {
  IniDocument doc = IniDocument::Parse("[A]\r\nx=1");
  ASSERT_TRUE(doc.Set("B", "k", "v"));
  EXPECT_EQ(doc.Serialize(), "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n");
  IniDocument empty;
  ASSERT_TRUE(empty.Set("B", "k", "v"));
  EXPECT_EQ(empty.Serialize(), "[B]\nk=v\n");
}

TEST(IniDocument, ValuesAreWrittenWithoutQuotingAndCannotAddLines) {
  IniDocument doc;
  ASSERT_TRUE(doc.Set("A", "k", "a, b \"c\"\n[Evil]\r\nx=1"));
  EXPECT_EQ(doc.Serialize(), "[A]\nk=a, b \"c\" [Evil]  x=1\n");
  EXPECT_FALSE(doc.Get("Evil", "x").has_value());
}

TEST(IniDocument, NamesThatCouldNotBeReadBackAreRefused) {
  for (const char* section : {"", "  ", "a]b", "a\nb"}) {
    IniDocument doc;
    EXPECT_FALSE(doc.Set(section, "k", "v")) << section;
    EXPECT_EQ(doc.Serialize(), "");
  }
  for (const char* key : {"", "a=b", ";k", "[k]", "a\rb"}) {
    IniDocument doc;
    EXPECT_FALSE(doc.Set("A", key, "v")) << key;
  }
}

TEST(IniDocument, WhatIsSetReadsBack) {
  IniDocument doc = IniDocument::Parse("junk without equals\n[A\n\x01\xff\xfe\n[S]\n=nokey\n");
  ASSERT_TRUE(doc.Set("S", "Key", "value"));
  ASSERT_TRUE(doc.Set("T", "Other", "x"));
  const IniDocument again = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(again.Get("s", "key"), "value");
  EXPECT_EQ(again.Get("t", "other"), "x");
}

TEST(IniDocument, HugeLineAndBinaryGarbageReadWithoutFailing) {
  std::string text = "[A]\nk=" + std::string(10 * 1024 * 1024, 'x') + "\n[B]\nj=1\n";
  IniDocument doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.Get("A", "k")->size(), 10u * 1024 * 1024);
  EXPECT_EQ(doc.Get("B", "j"), "1");

  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
  IniDocument bad = IniDocument::Parse(garbage);
  EXPECT_EQ(bad.Serialize(), garbage);
  EXPECT_TRUE(bad.Set("A", "k", "v"));
  EXPECT_EQ(IniDocument::Parse(bad.Serialize()).Get("A", "k"), "v");
}

}  // namespace
}  // namespace wdrt
