// The four lists as the program fills them at start-up from a planted item
// folder: the sort order from the registry and real-world shortcuts.
#include "harness/harness.h"

using namespace e2e;

namespace {

using Items = std::vector<std::wstring>;

void MakeItemFolder() {
  CreateDirectoryW(L"C:\\ProgramData\\Velmora", nullptr);
  CreateDirectoryW(kDataFolder, nullptr);
  CreateDirectoryW(kItemFolder, nullptr);
}

std::wstring Item(const std::wstring& fileName) { return std::wstring(kItemFolder) + L"\\" + fileName; }

// Creation times are the file system's birth times under Wine, so the items
// are made in the order wanted, a little apart.
void PlantInOrder(std::initializer_list<const wchar_t*> fileNames, const std::wstring& target) {
  for (const wchar_t* name : fileNames) {
    std::wstring path = Item(name);
    if (path.ends_with(L".lnk")) {
      WriteShortcut(path, target);
    } else {
      WriteFileBytes(path, "");
    }
    Sleep(30);
  }
}

}  // namespace

class ItemListsScenario : public Scenario {};

TEST_F(ItemListsScenario, StartUpFillsEveryListNewestFirstAndFocusesTheStartList) {
  MakeItemFolder();
  PlantInOrder({L"Zeta.lnk", L"alpha.lnk", L"Mid.lnk"}, L"C:\\Tools\\tool.exe");
  PlantInOrder({L"Report.final.lnk", L"notes.lnk"}, L"C:\\Docs\\report.doc");
  PlantInOrder({L"b.url", L"C.url", L"a.url"}, L"");
  PlantInOrder({L"y.mail", L"x.mail"}, L"");
  WriteDword(L"Option0", 3);
  WriteDword(L"Option3", 1);
  Start();

  EXPECT_EQ(ReadList(ListBox(0)).items, (Items{L"Mid", L"alpha", L"Zeta"}));
  EXPECT_EQ(ReadList(ListBox(1)).items, (Items{L"notes", L"Report.final"}));
  EXPECT_EQ(ReadList(ListBox(2)).items, (Items{L"a", L"C", L"b"}));
  EXPECT_EQ(ReadList(ListBox(3)).items, (Items{L"x", L"y"}));
  EXPECT_TRUE(WaitUntil([] { return ReadList(ListBox(1)).focused; }));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(ReadList(ListBox(k)).selection, 0) << "list " << k;
}

TEST_F(ItemListsScenario, RealWorldShortcutsLandInTheListsTheirReadmeNames) {
  const std::wstring samples = L"Z:\\work\\shared\\testdata\\shortcuts";
  if (!FileExists(samples)) GTEST_SKIP() << "the sample shortcuts are not on this machine";
  MakeItemFolder();
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileW((samples + L"\\*.*").c_str(), &found);
  ASSERT_NE(listing, INVALID_HANDLE_VALUE);
  do {
    std::wstring name = found.cFileName;
    if (name.ends_with(L".lnk") || name.ends_with(L".url")) {
      CopyFileW((samples + L"\\" + name).c_str(), Item(name).c_str(), FALSE);
    }
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
  Start();

  EXPECT_EQ(ReadList(ListBox(0)).items, (Items{L"env-relpath-notepad", L"exe-args-chrome-app", L"exe-args-japanese",
                                               L"exe-gbk-name", L"exe-jp-system", L"exe-uppercase-iexplore"}));
  EXPECT_EQ(ReadList(ListBox(1)).items.size(), 17u);
  EXPECT_EQ(ReadList(ListBox(1)).items.front(), L"damaged-not-a-link");
  EXPECT_EQ(ReadList(ListBox(2)).items, (Items{L"url-docs-lf", L"url-github"}));
  EXPECT_TRUE(ReadList(ListBox(3)).items.empty());
}
