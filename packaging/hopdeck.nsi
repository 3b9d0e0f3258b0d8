; The Hopdeck installer, in Japanese. scripts/release.sh builds it with
;   makensis -INPUTCHARSET UTF8 -DHD_STAGE=<folder> -DHD_OUTFILE=<setup.exe> hopdeck.nsi
; where <folder> holds Hopdeck.exe, manual.txt and command.txt.
; -DHD_AMD64 builds the same installer as a 64-bit program with a faster
; compressor: the Wine tests run that one, since their machine may run no
; 32-bit programs. It installs the same files into the same folders.
;
; Hopdeck takes its current directory at start as its installation folder, so
; every way this installer starts it, and every shortcut it makes, has the
; installation folder as its working folder.
;
; The uninstaller removes the program's files, its Start-menu shortcuts and the
; "Hopdeck.lnk" the program put in the user's Startup and Send-to folders. It
; keeps the user's items, logs and settings: c:\ProgramData\Velmora\Hopdeck and
; HKEY_CURRENT_USER\Software\Velmora\Hopdeck.

Unicode true
!ifndef HD_STAGE
  !error "HD_STAGE (the folder with Hopdeck.exe, manual.txt and command.txt) is not defined"
!endif
!ifndef HD_OUTFILE
  !error "HD_OUTFILE is not defined"
!endif

!ifdef HD_AMD64
  Target amd64-unicode
  SetCompressor zlib
!else
  SetCompressor /SOLID lzma
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define HD_VERSION "1.17"
!define HD_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Hopdeck"
!define HD_MENU_FOLDER "$SMPROGRAMS\Hopdeck"

Name "Hopdeck"
Caption "Hopdeck Ver${HD_VERSION} セットアップ"
OutFile "${HD_OUTFILE}"
InstallDir "$PROGRAMFILES32\Velmora\Hopdeck"
InstallDirRegKey HKLM "${HD_UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "1.17.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "Hopdeck"
VIAddVersionKey /LANG=1041 "CompanyName" "Velmora"
VIAddVersionKey /LANG=1041 "FileDescription" "Hopdeck セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${HD_VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${HD_VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Velmora"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Hopdeckを起動する"
!define MUI_FINISHPAGE_RUN_FUNCTION StartHopdeck
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\manual.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "操作マニュアルを開く"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running Hopdeck holds Hopdeck.exe open, so it can be neither replaced nor
; removed. Ask the user to close it; a silent run gives up instead.
!macro HD_WAIT_FOR_HOPDECK_TO_CLOSE
  ${Do}
    FindWindow $0 "Hopdeck" "Hopdeck"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Hopdeckが起動しています。$\r$\nHopdeckを終了してから「再試行」を押してください。" /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

Function .onInit
  !insertmacro HD_WAIT_FOR_HOPDECK_TO_CLOSE
!ifdef HD_AMD64
  ; A 64-bit program's $PROGRAMFILES32 is the 64-bit folder. The twin takes
  ; the folder that 32-bit programs get, so both install into the same place.
  ${If} $INSTDIR == "$PROGRAMFILES32\Velmora\Hopdeck"
    ReadEnvStr $0 "ProgramFiles(x86)"
    ${If} $0 != ""
      StrCpy $INSTDIR "$0\Velmora\Hopdeck"
    ${EndIf}
  ${EndIf}
!endif
FunctionEnd

Function un.onInit
  !insertmacro HD_WAIT_FOR_HOPDECK_TO_CLOSE
FunctionEnd

Section "Hopdeck"
  SetOutPath "$INSTDIR"
  File "${HD_STAGE}/Hopdeck.exe"
  File "${HD_STAGE}/manual.txt"
  File "${HD_STAGE}/command.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; CreateShortcut takes the output folder as the shortcut's working folder.
  SetShellVarContext all
  CreateDirectory "${HD_MENU_FOLDER}"
  SetOutPath "$INSTDIR"
  CreateShortcut "${HD_MENU_FOLDER}\Hopdeck.lnk" "$INSTDIR\Hopdeck.exe"
  CreateShortcut "${HD_MENU_FOLDER}\操作マニュアル.lnk" "$INSTDIR\manual.txt"

  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "DisplayName" "Hopdeck"
  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "DisplayVersion" "${HD_VERSION}"
  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "Publisher" "Velmora"
  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Hopdeck.exe"
  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${HD_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${HD_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${HD_UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The finish page's "start Hopdeck". Opening the Start-menu shortcut through
; the desktop's shell starts the program as the user rather than as the
; elevated installer, so its settings, its Startup and Send-to shortcuts and its
; hot key belong to the user; and the shortcut gives it its working folder.
Function StartHopdeck
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  Exec '"$WINDIR\explorer.exe" "${HD_MENU_FOLDER}\Hopdeck.lnk"'
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Hopdeck.exe"
  Delete "$INSTDIR\manual.txt"
  Delete "$INSTDIR\command.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The maker's folder goes too when nothing else of the maker is left in it.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} "$0" $1
  ${If} $1 == "Velmora"
    RMDir "$0"
  ${EndIf}

  SetShellVarContext all
  Delete "${HD_MENU_FOLDER}\Hopdeck.lnk"
  Delete "${HD_MENU_FOLDER}\操作マニュアル.lnk"
  RMDir "${HD_MENU_FOLDER}"

  ; The shortcuts the program itself made for the user.
  SetShellVarContext current
  Delete "$SMSTARTUP\Hopdeck.lnk"
  Delete "$SENDTO\Hopdeck.lnk"

  DeleteRegKey HKLM "${HD_UNINSTALL_KEY}"
SectionEnd
