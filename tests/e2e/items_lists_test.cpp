// The four lists as the program fills them at start-up from a planted item
// folder, in the sort order stored in the registry. (Real-world shortcuts are
// loaded in-process by tests/unit_win/items_lists_test.cpp.)
#include "harness/harness.h"

using namespace e2e;

namespace {

using Items = std::vector<std::wstring>;

FILETIME BirthTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftCreationTime;
}

// Creation times are the file system's birth times under Wine, so the items
// are made in the order wanted: each is made again until it was born after
// the one before, however coarse the file system's clock.
void PlantInOrder(std::initializer_list<const wchar_t*> fileNames, const std::wstring& target) {
  FILETIME previous{};
  for (const wchar_t* name : fileNames) {
    std::wstring path = ItemFile(name);
    EXPECT_TRUE(WaitUntil([&] {
      DeleteFileW(path.c_str());
      if (path.ends_with(L".lnk")) {
        WriteShortcut(path, target);
      } else {
        WriteFileBytes(path, "");
      }
      FILETIME born = BirthTime(path);
      return CompareFileTime(&born, &previous) > 0;
    })) << ToSjis(path);
    previous = BirthTime(path);
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
  WriteDword(setting_value::kSortOrder, 3);
  WriteDword(setting_value::kStartList, 1);
  Start();

  EXPECT_EQ(ReadList(ListBox(0)).items, (Items{L"Mid", L"alpha", L"Zeta"}));
  EXPECT_EQ(ReadList(ListBox(1)).items, (Items{L"notes", L"Report.final"}));
  EXPECT_EQ(ReadList(ListBox(2)).items, (Items{L"a", L"C", L"b"}));
  EXPECT_EQ(ReadList(ListBox(3)).items, (Items{L"x", L"y"}));
  EXPECT_TRUE(WaitUntil([] { return ReadList(ListBox(1)).focused; }));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(ReadList(ListBox(k)).selection, 0) << "list " << k;
}
