// The key list the build writes from the command table, and the manual, which
// must name every command of the menu bar.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "app/command_table.h"
#include "app/key_list.h"

namespace {

// ---- the documents in the source tree (UTF-8, LF) ----

std::string SourceRoot() {
  std::string here = __FILE__;
  std::size_t cut = here.rfind("tests");
  return cut == std::string::npos ? std::string() : here.substr(0, cut);
}

std::optional<std::string> ReadText(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
#ifdef _WIN32
  if (file == nullptr && !path.empty() && path[0] == '/') file = std::fopen(("Z:" + path).c_str(), "rb");
#endif
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

// ---- UTF-8 <-> Shift-JIS: the program's texts are Shift-JIS, the sources UTF-8 ----

#ifdef _WIN32
std::optional<std::string> Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return std::string();
  int units = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
  BOOL lost = FALSE;
  int bytes = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, to == CP_UTF8 ? nullptr : &lost);
  if (bytes <= 0 || lost) return std::nullopt;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(to, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr);
  return out;
}
std::optional<std::string> Utf8ToSjis(const std::string& text) { return Convert(text, CP_UTF8, 932); }
std::optional<std::string> SjisToUtf8(const std::string& text) { return Convert(text, 932, CP_UTF8); }
#else
std::optional<std::string> Convert(const std::string& text, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = text;
  std::string out(text.size() * 2 + 16, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}
std::optional<std::string> Utf8ToSjis(const std::string& text) { return Convert(text, "UTF-8", "CP932"); }
std::optional<std::string> SjisToUtf8(const std::string& text) { return Convert(text, "CP932", "UTF-8"); }
#endif

}  // namespace

// The build writes command.txt with RenderKeyList and stops when it fails; a
// menu command missing from it, or a key text that is not Shift-JIS, would
// ship a list that misleads.
TEST(HelpDocuments, KeyListNamesEveryCommandAndItsKeys) {
  std::string problem;
  std::string list = RenderKeyList(&problem);
  ASSERT_FALSE(list.empty()) << problem;
  EXPECT_TRUE(SjisToUtf8(list).has_value()) << "the key list is not Shift-JIS";
  for (const CommandRow& row : CommandTable()) {
    if (!row.popup.empty()) {
      EXPECT_NE(list.find("\r\n" + PlainMenuText(row.text)), std::string::npos) << "command " << row.id;
    }
    for (const std::string& key : row.keys) EXPECT_NE(list.find(KeyText(key)), std::string::npos) << key;
  }
}

namespace {

TEST(HelpDocuments, ManualExplainsEveryMenuCommandAndShipsAsShiftJis) {
  std::optional<std::string> source = ReadText(SourceRoot() + "docs/manual.txt");
  ASSERT_TRUE(source.has_value());
  EXPECT_EQ(source->find('\r'), std::string::npos) << "the source keeps LF; the build writes CR LF";
  std::optional<std::string> manual = Utf8ToSjis(*source);
  ASSERT_TRUE(manual.has_value()) << "the manual holds a character Shift-JIS cannot carry";

  std::string lastPopup;
  for (const CommandRow& row : CommandTable()) {
    if (row.popup.empty()) continue;
    std::string name = PlainMenuText(row.text);
    EXPECT_NE(manual->find(name), std::string::npos)
        << "the manual does not name command " << row.id << " " << SjisToUtf8(name).value_or("?");
    for (const std::string& key : row.keys) {
      EXPECT_NE(manual->find(KeyText(key)), std::string::npos) << "the manual never names the key " << key;
    }
    if (row.popup != lastPopup) {
      lastPopup = row.popup;
      std::string popup = PlainMenuText(row.popup);
      EXPECT_NE(manual->find(popup), std::string::npos)
          << "the manual does not name the menu " << SjisToUtf8(popup).value_or("?");
    }
  }
}

}  // namespace
