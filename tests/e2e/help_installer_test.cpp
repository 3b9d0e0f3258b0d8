// The installer, run silently: it installs the program and its two help files
// into the 32-bit Program Files folder with a Start-menu shortcut whose
// working folder is the installation folder; the program started from that
// shortcut takes the installation folder as its own; the uninstaller removes
// the program and the shortcuts it made, and keeps the user's data.
//
// The shipped installer is a 32-bit program. Where 32-bit programs cannot run
// (a 64-bit-only Wine), its case is skipped with that reason, and the 64-bit
// twin the build packs from the same script stands in for it.
#include <string>

#include "harness/harness.h"

#include <shellapi.h>
#include <shlobj.h>

using namespace e2e;

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

std::wstring ProgramFilesX86() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILESX86, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

std::wstring MakerFolder() { return ProgramFilesX86() + L"\\Velmora"; }
std::wstring InstallFolder() { return MakerFolder() + L"\\Hopdeck"; }
std::wstring MenuFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\Hopdeck"; }
std::wstring StartupLink() { return ShellFolder(CSIDL_STARTUP) + L"\\Hopdeck.lnk"; }
std::wstring SendToLink() { return ShellFolder(CSIDL_SENDTO) + L"\\Hopdeck.lnk"; }
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hopdeck";

// Runs a program and waits for it; its exit code, or nullopt when it could not start or did not end.
std::optional<DWORD> RunProgram(const std::wstring& exe, const std::wstring& arguments, int timeoutMs = 60000) {
  Process program = test_support::StartProcess(exe, L"\"" + exe + L"\" " + arguments);
  std::optional<DWORD> exitCode = program.WaitForExit(timeoutMs);
  program.Terminate();  // one that did not end in time
  return exitCode;
}

bool UninstallEntryExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS ||
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
    return true;
  }
  return false;
}

void RemoveInstallation() {
  RemoveTree(MakerFolder());
  RemoveTree(MenuFolder());
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY, 0);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY, 0);
}

// Where the source tree is, as Wine sees it (Z: maps the Unix root).
std::wstring SourceRoot() {
  std::string here = __FILE__;
  std::size_t cut = here.rfind("tests");
  std::wstring root = FromSjis(here.substr(0, cut));
  for (wchar_t& c : root) c = (c == L'/') ? L'\\' : c;
  return (!root.empty() && root[0] == L'\\') ? L"Z:" + root : root;
}

class InstallerScenario : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    RemoveInstallation();
  }
  void TearDown() override {
    Scenario::TearDown();
    RemoveInstallation();
  }

  void InstallRunAndUninstall(const std::wstring& installer, const std::wstring& shippedManual) {
    ASSERT_EQ(RunProgram(installer, L"/S"), std::optional<DWORD>(0));

    for (const wchar_t* name : {L"Hopdeck.exe", L"manual.txt", L"command.txt"}) {
      EXPECT_TRUE(FileExists(InstallFolder() + L"\\" + name)) << ToSjis(name);
    }
    EXPECT_EQ(ReadFileBytes(InstallFolder() + L"\\manual.txt"), ReadFileBytes(shippedManual));
    std::optional<ShortcutInfo> menu = ReadShortcut(MenuFolder() + L"\\Hopdeck.lnk");
    ASSERT_TRUE(menu.has_value()) << "no Start-menu shortcut";
    EXPECT_TRUE(SamePath(menu->target, InstallFolder() + L"\\Hopdeck.exe")) << ToSjis(menu->target);
    EXPECT_TRUE(SamePath(menu->workingDirectory, InstallFolder())) << ToSjis(menu->workingDirectory);
    EXPECT_TRUE(UninstallEntryExists());

    // Started from its shortcut, the program takes the installation folder
    // as its own: its Send-to and Startup shortcuts point into it. The Send-to
    // shortcut is made once the window has first waited for input.
    std::wstring link = MenuFolder() + L"\\Hopdeck.lnk";
    ShellExecuteW(nullptr, nullptr, link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    ASSERT_TRUE(WaitUntil([] { return IsVisible(MainWindow()); }, 15000)) << "the installed program did not start";
    for (const std::wstring& made : {SendToLink(), StartupLink()}) {
      std::optional<ShortcutInfo> shortcut;
      EXPECT_TRUE(WaitUntil([&] {
        shortcut = ReadShortcut(made);
        return shortcut.has_value() && SamePath(shortcut->target, InstallFolder() + L"\\Hopdeck.exe");
      })) << ToSjis(made) << " " << (shortcut ? ToSjis(shortcut->target) : std::string("missing"));
    }
    PlantItem(ItemKind::kUrl, L"Keep", L"http://example.com/");
    PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
    HWND box = WaitForDialog(L"Hopdeckの終了確認");
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);
    ASSERT_TRUE(WaitUntil([] { return MainWindow() == nullptr; }));

    // The uninstaller copies itself away and ends at once; the copy does the
    // work and removes the uninstall entry last.
    ASSERT_EQ(RunProgram(InstallFolder() + L"\\uninstall.exe", L"/S"), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitUntil([] { return !UninstallEntryExists(); }, 30000)) << "the uninstaller never finished";
    EXPECT_FALSE(FileExists(InstallFolder()));
    EXPECT_FALSE(FileExists(MakerFolder()));
    EXPECT_FALSE(FileExists(MenuFolder()));
    EXPECT_FALSE(FileExists(SendToLink()));
    EXPECT_FALSE(FileExists(StartupLink()));
    EXPECT_FALSE(UninstallEntryExists());
    EXPECT_TRUE(FileExists(ItemFile(L"Keep.url"))) << "the user's items went with the program";
    EXPECT_TRUE(KeyExists()) << "the user's settings went with the program";
  }
};

TEST_F(InstallerScenario, InstallerTwinInstallsRunsAndUninstalls) {
  std::wstring installer = BuildDir() + L"\\hd-test-setup.exe";
  if (!FileExists(installer)) GTEST_SKIP() << "makensis was not found when this build was configured";
  InstallRunAndUninstall(installer, BuildDir() + L"\\manual.txt");
}

TEST_F(InstallerScenario, ShippedInstallerInstallsRunsAndUninstalls) {
  std::wstring installer = SourceRoot() + L"build\\release\\Hopdeck-" HD_VERSION L"-setup.exe";
  if (!FileExists(installer)) GTEST_SKIP() << "no shipped installer; scripts/release.sh builds it";
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::optional<DWORD> probe = RunProgram(std::wstring(windows) + L"\\syswow64\\cmd.exe", L"/c exit 7", 20000);
  if (probe != std::optional<DWORD>(7)) {
    GTEST_SKIP() << "this machine runs no 32-bit programs (a 32-bit cmd.exe did not run), and the shipped "
                    "installer is one; the 64-bit twin of the same script is tested instead";
  }
  InstallRunAndUninstall(installer, BuildDir() + L"\\manual.txt");
}

}  // namespace
