// ini_compat.exe SCRATCH_FOLDER: checks that the core's Data.ini handling and
// the system's own private-profile functions agree on a code page 932 system.
//
// Both directions: files the core writes are read with
// GetPrivateProfileStringA, files WritePrivateProfileStringA writes are read
// with the core, and the same writes applied by both to the same starting
// file must give the same bytes. Also the code page 932 tables against
// MultiByteToWideChar / WideCharToMultiByte.
//
// Wine's profile code rewrites the whole file on every write (blank lines
// dropped, blanks around names and values dropped, CRLF everywhere) where
// Windows edits the one line. Under Wine, a starting file that is not already
// in that form is therefore compared in that form; on Windows always byte
// for byte.
//
// Prints "PASS name" or "FAIL name: detail" per case, then "N passed, M
// failed"; exit code 0 only when all pass.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "startup/private_profile.h"
#include "startup/settings_store.h"

namespace gyra {
namespace {

// --- Reporting -------------------------------------------------------------

int g_passed = 0;
int g_failed = 0;

void Report(const std::string& name, const std::string& failure) {
  if (failure.empty()) {
    ++g_passed;
    std::printf("PASS %s\n", name.c_str());
  } else {
    ++g_failed;
    std::printf("FAIL %s: %s\n", name.c_str(), failure.c_str());
  }
  std::fflush(stdout);
}

// Bytes as C-escaped text, cut after 100 bytes.
std::string Shown(std::string_view bytes) {
  std::string out = "\"";
  for (size_t i = 0; i < bytes.size() && i < 100; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + (bytes.size() > 100 ? "\"..." : "\"");
}

// "" when equal, else where and how the two differ.
std::string Difference(const std::string& what, std::string_view core, std::string_view windows) {
  if (core == windows) return "";
  size_t at = 0;
  while (at < core.size() && at < windows.size() && core[at] == windows[at]) ++at;
  const size_t from = at < 20 ? 0 : at - 20;
  return what + " differ at byte " + std::to_string(at) + ": core " +
         Shown(core.substr(std::min(from, core.size()))) + " windows " +
         Shown(windows.substr(std::min(from, windows.size())));
}

// --- Files and the system's profile functions -------------------------------

struct CaseFiles {
  std::filesystem::path core_path;     // written by the core
  std::filesystem::path windows_path;  // written by WritePrivateProfileStringA
  std::string core_ansi;
  std::string windows_ansi;
};

std::filesystem::path g_folder;

std::string Ansi(const std::filesystem::path& path) {
  const std::wstring wide = path.wstring();
  std::string out(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr,
                      nullptr);
  out.pop_back();
  return out;
}

CaseFiles FilesFor(int number) {
  CaseFiles files;
  files.core_path = g_folder / (std::to_wstring(number) + L"-core.ini");
  files.windows_path = g_folder / (std::to_wstring(number) + L"-windows.ini");
  files.core_ansi = Ansi(files.core_path);
  files.windows_ansi = Ansi(files.windows_path);
  DeleteFileW(files.core_path.c_str());
  DeleteFileW(files.windows_path.c_str());
  return files;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the program's ReadIni gets from Windows: a 256-byte buffer.
std::string WindowsRead(const std::string& file, const std::string& section, const std::string& key) {
  char buffer[256] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
  return buffer;
}

bool RunningOnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// The file as Wine writes it back: one line per section or entry, trimmed,
// blank lines dropped, CRLF after each.
std::string WineForm(std::string_view bytes) {
  const auto trim = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  };
  std::string out;
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = trim(bytes.substr(0, end));
    bytes.remove_prefix(std::min(bytes.find_first_not_of("\r\n", end), bytes.size()));
    if (line.empty()) continue;
    const size_t cut = line.find(line.front() == '[' ? ']' : '=');
    if (line.front() == '[' && cut != std::string_view::npos) {
      out += std::string("[") + std::string(trim(line.substr(1, cut - 1))) + "]";
    } else if (cut != std::string_view::npos) {
      out += std::string(trim(line.substr(0, cut))) + "=" + std::string(trim(line.substr(cut + 1)));
    } else {
      out += line;
    }
    out += "\r\n";
  }
  return out;
}

// --- Test data --------------------------------------------------------------

const std::string kSection = "Section";
const std::string kSo = "\x83\x5C";                                        // ソ, trail byte '\'
const std::string kHyo = "\x95\x5C";                                       // 表, trail byte '\'
const std::string kA = "\x83\x41";                                         // ア, trail byte 'A'
const std::string kDi = "\x83\x61";                                        // ヂ, trail byte 'a'
const std::string kDash = "\x81\x5D";                                      // ‐, trail byte ']'
const std::string kPath = "C:\\\x8E\xCA\x90\x5E\\" + kSo + kHyo + ".bmp";  // C:\写真\ソ表.bmp

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string KeyName(size_t i) { return std::string(kSettingKeys[i].name); }

// The eleven values in key order, as the program writes them.
const std::string kSampleValues[] = {kPath, "1", "128", "150", "0", "12", "1", "1", "1000", "1", "-32768"};

struct Query {
  std::string section;
  std::string key;
};

struct Write {
  std::string section;
  std::string key;
  std::string value;
};

std::vector<Write> SampleWrites() {
  std::vector<Write> writes;
  for (size_t i = 0; i < kSettingKeys.size(); ++i) writes.push_back({kSection, KeyName(i), kSampleValues[i]});
  return writes;
}

std::vector<Query> SettingQueries() {
  std::vector<Query> queries;
  for (const SettingKey& key : kSettingKeys) queries.push_back({kSection, std::string(key.name)});
  return queries;
}

// --- Cases --------------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::string file;
  std::vector<Query> queries;
};

std::vector<ReadCase> ReadCases() {
  const std::string eleven = [] {
    std::string file = "[Section]\r\n";
    for (const Write& w : SampleWrites()) file += w.key + "=" + w.value + "\r\n";
    return file;
  }();
  return {
      {"read: eleven Japanese keys", eleven, SettingQueries()},
      {"read: blanks around '='",
       "[Section]\r\n  a = 1  \r\n\tb\t=\t2\t\r\nc=  \r\n d=\" 4 \"\r\n",
       {{kSection, "a"},
        {kSection, "b"},
        {kSection, "c"},
        {kSection, "d"},
        {kSection, "A"},
        {kSection, " b "},
        {"section", "a"},
        {kSection, "e"}}},
      {"read: comments",
       "; top\r\n[Section]\r\n; a=hidden\r\na=1\r\n;b=hidden\r\n\r\n# c=3\r\n",
       {{kSection, "a"}, {kSection, "b"}, {kSection, "# c"}, {kSection, "c"}}},
      {"read: duplicate sections",
       "[Section]\r\na=1\r\n[Other]\r\nb=2\r\n[section]\r\na=3\r\nc=4\r\n",
       {{kSection, "a"}, {kSection, "c"}, {"Other", "b"}, {"Other", "a"}}},
      {"read: duplicate keys", "[Section]\r\na=1\r\nA=2\r\nb\r\nb=3\r\n", {{kSection, "a"}, {kSection, "b"}}},
      {"read: missing final newline", "[Section]\r\na=1\r\nb=2", {{kSection, "a"}, {kSection, "b"}}},
      {"read: LF-only lines",
       "[Section]\na=1\nb= 2 \n\n[Other]\na=x\n",
       {{kSection, "a"}, {kSection, "b"}, {"Other", "a"}}},
      {"read: keys before any section", "a=0\r\n[Section]\r\nb=1\r\n", {{kSection, "a"}, {kSection, "b"}}},
      {"read: header with blanks and a comment", "  [ Section ]  ; note\r\na=1\r\n", {{kSection, "a"}}},
      {"read: 300-byte values",
       std::string("[Section]\r\nlong=") + std::string(300, 'x') + "\r\nquoted=\"" + std::string(300, 'y') +
           "\"\r\nkanji=" + Repeat(kHyo, 150) + "\r\nmixed=a" + Repeat(kHyo, 150) + "\r\n",
       {{kSection, "long"}, {kSection, "quoted"}, {kSection, "kanji"}, {kSection, "mixed"}}},
      {"read: quotes",
       "[Section]\r\na=\"1 2\"\r\nb='3'\r\nc=\"4'\r\nd=\"\r\ne=\"\"\r\n",
       {{kSection, "a"}, {kSection, "b"}, {kSection, "c"}, {kSection, "d"}, {kSection, "e"}}},
      {"read: Shift-JIS trail bytes",
       "[Section]\r\n[x" + kDash + "\r\n" + kA + "=1\r\n" + KeyName(7) + "=2\r\n[" + kA + "]\r\nz=3\r\n",
       {{kSection, kA}, {kSection, kDi}, {kSection, KeyName(7)}, {kA, "z"}, {kDi, "z"}}},
  };
}

void RunReadCase(int number, const ReadCase& c) {
  const CaseFiles files = FilesFor(number);
  WriteBytes(files.core_path, c.file);
  std::string failure;
  for (const Query& q : c.queries) {
    failure = Difference("value of " + Shown(q.key), ReadIni(c.file, q.section, q.key),
                         WindowsRead(files.core_ansi, q.section, q.key));
    if (!failure.empty()) break;
  }
  Report(c.name, failure);
}

struct WriteCase {
  const char* name;
  std::optional<std::string> start;  // nothing: no file yet
  std::vector<Write> writes;
  std::vector<Query> also_read;
};

std::vector<WriteCase> WriteCases() {
  const std::string eleven = [] {
    std::string file;
    for (const Write& w : SampleWrites()) file = WriteIni(file, w.section, w.key, w.value).value();
    return file;
  }();
  std::vector<Write> changed;
  for (size_t i = kFirstOptionKey; i < kSettingKeys.size(); ++i)
    changed.push_back({kSection, KeyName(i), "7"});
  return {
      {"write: new file, eleven Japanese keys", std::nullopt, SampleWrites(), {}},
      {"write: seven keys into the program's file", eleven, changed, SettingQueries()},
      {"write: blanks around '='",
       "[Section]\r\n  a = 1  \r\nb=2\r\n",
       {{kSection, "A", "9"}, {kSection, "c", "3"}},
       {{kSection, "b"}}},
      {"write: comments",
       "; top\r\n[Section]\r\n; c1\r\na=1\r\n; c2\r\n\r\n[Other]\r\n; c3\r\nx=1\r\n",
       {{kSection, "b", "2"}, {kSection, "a", "5"}, {"Other", "y", "6"}},
       {{"Other", "x"}}},
      {"write: duplicate sections",
       "[Section]\r\na=1\r\n[Other]\r\nb=2\r\n[Section]\r\nc=3\r\n",
       {{kSection, "c", "4"}, {kSection, "a", "9"}},
       {{"Other", "b"}}},
      {"write: missing final newline", "[Section]\r\na=1", {{kSection, "b", "2"}}, {{kSection, "a"}}},
      {"write: new section after a missing final newline",
       "[Other]\r\nx=1",
       {{kSection, "a", "1"}},
       {{"Other", "x"}}},
      {"write: LF-only lines",
       "[Section]\na=1\nb=2\n\n[Other]\nx=1\n",
       {{kSection, "a", "3"}, {kSection, "c", "4"}},
       {{kSection, "b"}, {"Other", "x"}}},
      {"write: 300-byte values",
       std::nullopt,
       {{kSection, "long", std::string(300, 'x')}, {kSection, "kanji", Repeat(kHyo, 150)}},
       {}},
      {"write: other case replaces", "[SECTION]\r\nKEY=1\r\n", {{kSection, "key", "2"}}, {}},
      {"write: same value leaves the file", "[Section]\r\n k = 1 \r\n", {{kSection, "k", "1"}}, {}},
      {"write: Shift-JIS trail bytes",
       "[Section]\r\n" + kA + "=1\r\n",
       {{kSection, kDi, "2"}, {kSection, KeyName(3), kPath}},
       {{kSection, kA}}},
  };
}

// The four readings (core or Windows, of either file) of one key must agree.
std::string ReadBackDifference(const CaseFiles& files, const std::string& core_bytes,
                               const std::string& windows_bytes, const Query& q) {
  const std::string expected = ReadIni(core_bytes, q.section, q.key);
  const std::string what = std::string("value of ") + Shown(q.key);
  std::string failure =
      Difference(what + " in Windows' file", ReadIni(windows_bytes, q.section, q.key), expected);
  if (failure.empty())
    failure = Difference(what + " read by Windows", expected, WindowsRead(files.core_ansi, q.section, q.key));
  if (failure.empty())
    failure = Difference(what + " read by Windows from its file", expected,
                         WindowsRead(files.windows_ansi, q.section, q.key));
  return failure;
}

// The bytes after applying the case's writes with the core; nothing when the
// core refuses one.
std::optional<std::string> CoreWrites(const WriteCase& c) {
  std::optional<std::string> bytes = c.start.value_or("");
  for (const Write& w : c.writes) {
    if (bytes) bytes = WriteIni(*bytes, w.section, w.key, w.value);
  }
  return bytes;
}

std::string WindowsWrites(const CaseFiles& files, const WriteCase& c) {
  if (c.start) WriteBytes(files.windows_path, *c.start);
  for (const Write& w : c.writes)
    WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), files.windows_ansi.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, files.windows_ansi.c_str());
  return ReadBytes(files.windows_path);
}

void RunWriteCase(int number, const WriteCase& c) {
  const CaseFiles files = FilesFor(number);
  const std::optional<std::string> core_bytes = CoreWrites(c);
  const std::string windows_bytes = WindowsWrites(files, c);
  if (!core_bytes) return Report(c.name, "the core refused a write");
  WriteBytes(files.core_path, *core_bytes);

  const bool wine_rewrites = RunningOnWine() && c.start && WineForm(*c.start) != *c.start;
  std::string failure =
      wine_rewrites ? Difference("files (in Wine's form)", WineForm(*core_bytes), WineForm(windows_bytes))
                    : Difference("files", *core_bytes, windows_bytes);
  std::vector<Query> queries = c.also_read;
  for (const Write& w : c.writes) queries.push_back({w.section, w.key});
  for (const Query& q : queries) {
    if (failure.empty()) failure = ReadBackDifference(files, *core_bytes, windows_bytes, q);
  }
  Report(c.name, failure);
}

// LoadSettings of the file Windows wrote, saved again by WriteSettings, must
// give that file byte for byte.
void RunSettingsCase(int number) {
  const CaseFiles files = FilesFor(number);
  const std::string windows_bytes = WindowsWrites(files, {"", std::nullopt, SampleWrites(), {}});
  const Settings loaded = LoadSettings(windows_bytes, [](const std::string&) { return true; });
  Report("settings: LoadSettings and WriteSettings against Windows",
         Difference("files", WriteSettings("", loaded, true).value_or("(refused)"), windows_bytes));
}

// --- Code page 932 against the system ---------------------------------------

// Every single byte has a character in Windows' table, but the strict flag
// rejects the four (0xA0, 0xFD-0xFF) mapped into the private use area while
// the ANSI file functions still map them: single bytes are compared without
// the flag, pairs with it (unassigned pairs would become U+30FB otherwise).
std::optional<std::string> SystemDecode(const std::string& cp932) {
  const DWORD flags = cp932.size() == 1 ? 0 : MB_ERR_INVALID_CHARS;
  wchar_t wide[4];
  const int n = MultiByteToWideChar(932, flags, cp932.data(), static_cast<int>(cp932.size()), wide, 4);
  if (n <= 0) return std::nullopt;
  char utf8[16];
  const int m = WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8, nullptr, nullptr);
  return std::string(utf8, m);
}

std::optional<std::string> SystemEncode(wchar_t c) {
  char bytes[4];
  BOOL used_default = FALSE;
  const int n =
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, sizeof bytes, nullptr, &used_default);
  if (n <= 0 || used_default) return std::nullopt;
  return std::string(bytes, n);
}

std::string Utf8Of(wchar_t c) {
  char utf8[8];
  const int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, utf8, sizeof utf8, nullptr, nullptr);
  return std::string(utf8, n);
}

std::string Mismatch(const std::string& input, const std::optional<std::string>& core,
                     const std::optional<std::string>& system) {
  return Shown(input) + " core " + (core ? Shown(*core) : "none") + " system " +
         (system ? Shown(*system) : "none");
}

// Every single byte, and every lead byte with every second byte.
std::vector<std::string> AllCodes() {
  std::vector<std::string> codes;
  for (int first = 0; first < 256; ++first) {
    const char lead = static_cast<char>(first);
    if (!IsCp932LeadByte(static_cast<unsigned char>(first))) {
      codes.push_back(std::string(1, lead));
      continue;
    }
    for (int second = 0; second < 256; ++second) codes.push_back({lead, static_cast<char>(second)});
  }
  return codes;
}

void RunDecodeCase() {
  std::string failure;
  const std::vector<std::string> codes = AllCodes();
  for (const std::string& code : codes) {
    const std::optional<std::string> core = Cp932ToUtf8(code);
    const std::optional<std::string> system = SystemDecode(code);
    if (core != system && failure.size() < 400) failure += Mismatch(code, core, system) + "; ";
  }
  Report("cp932: decoding matches the system (" + std::to_string(codes.size()) + " codes)", failure);
}

void RunEncodeCase() {
  std::string failure;
  for (int c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string utf8 = Utf8Of(static_cast<wchar_t>(c));
    const std::optional<std::string> core = Utf8ToCp932(utf8);
    const std::optional<std::string> system = SystemEncode(static_cast<wchar_t>(c));
    if (core != system && failure.size() < 400) failure += Mismatch(utf8, core, system) + "; ";
  }
  Report("cp932: encoding matches the system (all of the basic plane)", failure);
}

}  // namespace
}  // namespace gyra

int wmain(int argc, wchar_t** argv) {
  using namespace gyra;
  if (argc != 2) {
    std::fprintf(stderr, "usage: ini_compat SCRATCH_FOLDER\n");
    return 2;
  }
  if (GetACP() != 932) {
    std::printf("FAIL code page: the ANSI code page is %u, not 932\n0 passed, 1 failed\n", GetACP());
    return 1;
  }
  g_folder = argv[1];
  std::error_code ignored;
  std::filesystem::create_directories(g_folder, ignored);

  RunDecodeCase();
  RunEncodeCase();
  int number = 0;
  for (const ReadCase& c : ReadCases()) RunReadCase(++number, c);
  for (const WriteCase& c : WriteCases()) RunWriteCase(++number, c);
  RunSettingsCase(++number);

  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 ? 0 : 1;
}
