// Process entry: one instance per user session, the main window and the message loop.
#include <windows.h>

#include "app/app_state.h"
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/startup_win.h"
#include "items/item_store_win.h"
#include "platform/files_win.h"
#include "records/launch_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The current directory is the data folder for a moment at start, and
  // every user may write there: no library is ever to be found there.
  SetDllDirectoryA("");
  std::string argument = FirstArgument();
  if (HandOffToRunningInstance(argument)) return 0;

  AppState& app = TheApp();
  app.instance = instance;
  app.firstArgument = argument;
  app.programFolder = CurrentFolder();
  // The data folder is made and entered, which proves it usable.
  std::string unusableFolder;
  std::optional<DataFolders> folders = PrepareDataFolders(unusableFolder);
  if (!folders) {
    // Every item and log lives there: without it nothing could be kept, and
    // nothing is to be written anywhere else instead.
    std::string text = std::string(kDataFolderFailedText) + "\n" + unusableFolder;
    // No window of ours is there to bring it forward: the box comes forward itself.
    MessageBoxA(nullptr, text.c_str(), kWindowTitle, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
    return 1;
  }
  app.dataFolder = folders->data;
  app.itemFolder = folders->items;
  // From here on the data folder is named by its full path. Every account may
  // put files in it, and the shell and the loader look for a bare name in the
  // current directory before the system folders: it must not stay current.
  if (!SetCurrentDirectoryA(SystemFolder().c_str())) SetCurrentDirectoryA(ProfileFolder().c_str());
  // At a first start, reading every shortcut takes as long as building the
  // window or longer: both go on at once.
  app.startRead = StartItemFolderRead(app.itemFolder, app.dataFolder);

  // The shell-link object and ShellExecute want COM on this thread for the
  // whole run; ComInit leaves out OLE1 DDE, whose old associations can hang
  // the window.
  ComInit com;

  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "HDI");
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszMenuName = "HDM";
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassA(&windowClass) == 0) return -1;

  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return -1;
  app.mainWindow = window;

  HACCEL accelerators = LoadAcceleratorsA(instance, "HDA");
  MSG message{};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    if (TranslateAcceleratorA(app.mainWindow, accelerators, &message)) continue;
    if (IsListSideKey(app, message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // -1: the loop itself failed, and no quit message carries a code.
  if (got < 0) return -1;
  return static_cast<int>(message.wParam);
}
