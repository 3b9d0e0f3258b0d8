#include "items/item_store_win.h"

#include "app/app_state.h"

namespace {
constexpr const char* kDataFolderParent = "c:\\ProgramData\\Velmora";
constexpr const char* kDataFolderPath = "c:\\ProgramData\\Velmora\\Hopdeck";
}  // namespace

void PrepareDataFolders(AppState& app) {
  // Each may exist already; that failure is the ordinary case.
  CreateDirectoryA(kDataFolderParent, nullptr);
  CreateDirectoryA(kDataFolderPath, nullptr);
  CreateDirectoryA("c:\\ProgramData\\Velmora\\Hopdeck\\Lnk", nullptr);

  SetCurrentDirectoryA(kDataFolderPath);
  char current[MAX_PATH + 1] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  app.dataFolder = (length > 0 && length < MAX_PATH) ? std::string(current, length) : kDataFolderPath;
  app.itemFolder = app.dataFolder + "\\Lnk";
}

bool ReadShellLink(const std::string& linkPath, std::string& target, std::string& arguments) {
  target.clear();
  arguments.clear();
  return false;
}

void WriteShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments) {}

std::string ItemFilePath(const AppState& app, int listKind, const std::string& name) {
  const char* extension = listKind == kUrls ? ".url" : listKind == kMail ? ".mail" : ".lnk";
  return app.dataFolder + "\\Lnk\\" + name + extension;
}

std::string ReadUrlItem(const std::string& itemFile) { return {}; }
std::string ReadMailItem(const std::string& itemFile) { return {}; }
std::string BareMailAddress(const std::string& mailValue) {
  return mailValue.rfind("mailto:", 0) == 0 ? mailValue.substr(7) : mailValue;
}
void WriteUrlItem(const std::string& itemFile, const std::string& url) {}
void WriteMailItem(const std::string& itemFile, const std::string& address) {}
void ImportUrlFile(const AppState& app, const std::string& sourceFile, const std::string& name) {}
