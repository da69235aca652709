#include "startup/private_profile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace gyra {
namespace {

const std::string kSo = "\x83\x5C";       // ソ, trail byte '\'
const std::string kHyo = "\x95\x5C";      // 表, trail byte '\'
const std::string kA = "\x83\x41";        // ア, trail byte 'A'
const std::string kDi = "\x83\x61";       // ヂ, trail byte 'a'
const std::string kDash = "\x81\x5D";     // ‐, trail byte ']'
const std::string kKaiten = "\x89\xF1\x93\x5D\xCA\xDF\xC0\xB0\xDD";  // 回転ﾊﾟﾀｰﾝ

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct ReadCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::string expected;
};

TEST(ReadIni, FollowsThePrivateProfileRules) {
  const ReadCase cases[] = {
      {"empty file", "", "Section", "k", ""},
      {"plain", "[Section]\r\nk=v\r\n", "Section", "k", "v"},
      {"missing key", "[Section]\r\nk=v\r\n", "Section", "x", ""},
      {"missing section", "[Section]\r\nk=v\r\n", "Other", "k", ""},
      {"other section", "[Other]\r\nk=v\r\n", "Section", "k", ""},
      {"before any section", "k=v\r\n[Section]\r\n", "Section", "k", ""},
      {"ASCII case ignored", "[SECTION]\r\nKey=v\r\n", "section", "kEY", "v"},
      {"blanks", "  [ Section ]  \r\n \t k \t=  \t v w \t \r\n", "Section", "k", "v w"},
      {"blanks in the query", "[Section]\r\nk=v\r\n", " Section ", " k ", "v"},
      {"LF lines", "[Section]\nk=v\n", "Section", "k", "v"},
      {"CR lines", "[Section]\rk=v\r", "Section", "k", "v"},
      {"no final line break", "[Section]\r\nk=v", "Section", "k", "v"},
      {"empty value", "[Section]\r\nk=\r\n", "Section", "k", ""},
      {"no '='", "[Section]\r\nk\r\n", "Section", "k", ""},
      {"first of two, without '='", "[Section]\r\nk\r\nk=v\r\n", "Section", "k", ""},
      {"'=' in the value", "[Section]\r\nk=a=b\r\n", "Section", "k", "a=b"},
      {"comment is a key of its own", "[Section]\r\n;k=v\r\n", "Section", "k", ""},
      {"comments between", "[Section]\r\n; note\r\n\r\nk=v\r\n", "Section", "k", "v"},
      {"first duplicate key", "[Section]\r\nk=1\r\nk=2\r\n", "Section", "k", "1"},
      {"first duplicate section only", "[Section]\r\na=1\r\n[T]\r\n[Section]\r\nk=3\r\n", "Section",
       "k", ""},
      {"text after ']'", "[Section] ; c\r\nk=v\r\n", "Section", "k", "v"},
      {"'[' without ']' is a key", "[Section]\r\n[x\r\nk=v\r\n", "Section", "k", "v"},
      {"double quotes", "[S]\r\nk= \"a b\" \r\n", "S", "k", "a b"},
      {"single quotes", "[S]\r\nk='a'\r\n", "S", "k", "a"},
      {"mismatched quotes", "[S]\r\nk=\"a'\r\n", "S", "k", "\"a'"},
      {"lone quote", "[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"empty quotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
      {"only one pair", "[S]\r\nk=\"\"a\"\"\r\n", "S", "k", "\"a\""},
      {"300 bytes", std::string("[S]\r\nk=") + std::string(300, 'x') + "\r\n", "S", "k", std::string(255, 'x')},
      {"quoted 300 bytes", std::string("[S]\r\nk=\"") + std::string(300, 'x') + "\"\r\n", "S", "k",
       std::string(255, 'x')},
      {"255 bytes of kanji and one", std::string("[S]\r\nk=a") + Repeat(kHyo, 150) + "\r\n", "S", "k",
       std::string("a") + Repeat(kHyo, 127)},
      {"no half kanji at the cut", std::string("[S]\r\nk=") + Repeat(kHyo, 150) + "\r\n", "S", "k",
       Repeat(kHyo, 127)},
      {"trail '\\' in a value", "[S]\r\nk=C:\\" + kSo + kHyo + "\\" + kHyo + "\r\n", "S", "k",
       "C:\\" + kSo + kHyo + "\\" + kHyo},
      {"trail 'A' is not folded", "[S]\r\n" + kA + "=1\r\n", "S", kDi, ""},
      {"trail 'A' matches itself", "[S]\r\n" + kA + "=1\r\n", "S", kA, "1"},
      {"trail 'A' in a section", "[" + kA + "]\r\nk=1\r\n", kDi, "k", ""},
      {"trail ']' closes no section", "[S]\r\n[x" + kDash + "\r\nk=1\r\n", "S", "k", "1"},
      {"trail ']' in a key", "[Section]\r\n" + kKaiten + "=1\r\n", "Section", kKaiten, "1"},
      {"trail ']' in a section name", "[x" + kDash + "]\r\nk=1\r\n", "x" + kDash, "k", "1"},
  };
  for (const ReadCase& c : cases) EXPECT_EQ(ReadIni(c.file, c.section, c.key), c.expected) << c.name;
}

struct WriteCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::string value;
  std::string expected;
};

TEST(WriteIni, EditsOnlyTheEntry) {
  const WriteCase cases[] = {
      {"new file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"new key", "[S]\r\na=1\r\n", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
      {"new key before blank lines", "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", "S", "k", "v",
       "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nb=2\r\n"},
      {"new key after a comment", "[S]\r\na=1\r\n; note\r\n\r\n[T]\r\n", "S", "k", "v",
       "[S]\r\na=1\r\n; note\r\nk=v\r\n\r\n[T]\r\n"},
      {"new key in an empty section", "[S]\r\n\r\n[T]\r\n", "S", "k", "v",
       "[S]\r\nk=v\r\n\r\n[T]\r\n"},
      {"new key, no final line break", "[S]\r\na=1", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
      {"new key after a bare header", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"new key in LF lines", "[S]\na=1\n\n[T]\n", "S", "k", "v", "[S]\na=1\nk=v\r\n\n[T]\n"},
      {"new key into the first of two", "[S]\r\na=1\r\n[T]\r\n[S]\r\nk=old\r\n", "S", "k", "v",
       "[S]\r\na=1\r\nk=v\r\n[T]\r\n[S]\r\nk=old\r\n"},
      {"replace", "[S]\r\n  K = old  \r\nb=2\r\n", "S", "k", "new", "[S]\r\nK=new\r\nb=2\r\n"},
      {"replace the first duplicate", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3", "[S]\r\nk=3\r\nk=2\r\n"},
      {"replace an LF line", "[S]\nk=1\nb=2\n", "S", "k", "2", "[S]\nk=2\r\nb=2\n"},
      {"replace the unended last line", "[S]\r\nk=1", "S", "k", "2", "[S]\r\nk=2\r\n"},
      {"replace a key without '='", "[S]\r\nk\r\n", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"replace, other case", "[SECTION]\r\nKEY=1\r\n", "Section", "key", "2",
       "[SECTION]\r\nKEY=2\r\n"},
      {"same value: untouched", "[S]\r\n k = 1 \r\n", "S", "k", "1", "[S]\r\n k = 1 \r\n"},
      {"new section", "[T]\r\nb=2\r\n", "S", "k", "v", "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
      {"new section, no final line break", "[T]\r\nb=2", "S", "k", "v",
       "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
      {"new section after LF", "[T]\nb=2\n", "S", "k", "v", "[T]\nb=2\n[S]\r\nk=v\r\n"},
      {"key before any section is another key", "k=1\r\n", "S", "k", "v", "k=1\r\n[S]\r\nk=v\r\n"},
      {"trail 'A' is not folded", "[S]\r\n" + kA + "=1\r\n", "S", kDi, "2",
       "[S]\r\n" + kA + "=1\r\n" + kDi + "=2\r\n"},
      {"value with trail '\\'", "", "S", "p", "C:\\" + kSo + "\\" + kHyo,
       "[S]\r\np=C:\\" + kSo + "\\" + kHyo + "\r\n"},
      {"empty value", "", "S", "k", "", "[S]\r\nk=\r\n"},
      {"others kept byte for byte", ";top\n[S] ;c\r\n x = 1\n;k=9\r\nk = 2 \r\n\r\n[T]\r\nk=3",
       "S", "k", "4", ";top\n[S] ;c\r\n x = 1\n;k=9\r\nk=4\r\n\r\n[T]\r\nk=3"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(WriteIni(c.file, c.section, c.key, c.value), std::optional<std::string>(c.expected))
        << c.name;
  }
}

TEST(WriteIni, RefusesEntriesThatCannotBeReadBack) {
  const WriteCase cases[] = {
      {"line break in the value", "", "S", "k", "a\r\nb=c", ""},
      {"LF in the value", "", "S", "k", "a\nb", ""},
      {"NUL in the value", "", "S", "k", std::string("a\0b", 3), ""},
      {"line break in the key", "", "S", "k\r\n[T]", "v", ""},
      {"line break in the section", "", "S]\r\nx", "k", "v", ""},
      {"'=' in the key", "", "S", "a=b", "v", ""},
      {"key like a section", "", "S", "[T]", "v", ""},
      {"empty key", "", "S", " ", "v", ""},
      {"empty section", "", "", "k", "v", ""},
      // A lone lead byte would take the ']' or '=' written after it.
      {"section ending in a lead byte", "", "S\x83", "k", "v", ""},
      {"key ending in a lead byte", "", "S", "k\x83", "v", ""},
      {"key ending in a lead byte before blanks", "", "S", "k\x83  ", "v", ""},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(WriteIni(c.file, c.section, c.key, c.value), std::nullopt) << c.name;
  }
}

TEST(WriteIni, NamesEndingInAWholeTwoByteCharacterAreWritten) {
  // ソ and 表 end in the trail byte 0x5C, a backslash; 0x83 0x83 is one character.
  for (const std::string& name : {kSo, kHyo, std::string("\x83\x83"), "a" + kSo}) {
    const std::optional<std::string> file = WriteIni("", name, name, "v");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(ReadIni(*file, name, name), "v");
  }
}

TEST(WriteIni, ReadsBackWhatItWrote) {
  const std::string start = "; settings\n[Other]\nk=other\n\n[Section]\nx=1";
  const std::string values[] = {"0", "-32768", "", "a=b", "C:\\" + kSo + kHyo + "\\pic.bmp",
                                std::string(255, 'z')};
  for (const std::string& value : values) {
    const std::optional<std::string> file = WriteIni(start, "Section", "k", value);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(ReadIni(*file, "Section", "k"), value);
    EXPECT_EQ(ReadIni(*file, "Other", "k"), "other");
    EXPECT_EQ(ReadIni(*file, "Section", "x"), "1");
    EXPECT_EQ(WriteIni(*file, "Section", "k", value), file) << "second write changes nothing";
  }
}

}  // namespace
}  // namespace gyra
