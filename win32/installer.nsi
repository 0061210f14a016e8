; The Windows installer:
;   makensis -DVERSION=1.0.0 -DPROGRAM=folder -DICON=icon.ico -DWELCOME=welcome.bmp -DOUTFILE=setup.exe installer.nsi
; Installs the game for every user under Program Files, or for the current user alone under
; %LOCALAPPDATA%\Programs with no administrator, with a Start-menu shortcut, a desktop shortcut
; if chosen, and an entry in Apps & features for all or for that user; the next install
; remembers the folder. The file "installed" beside the game tells it to keep each player's
; money in %APPDATA%\Vertuno, so the uninstaller takes away everything it put there and leaves
; the money. A game running from the folder is closed first, and saves as at the desktop's close.
; Silent: /S, with /ALLUSERS or /CURRENTUSER, /NODESKTOPSHORTCUT, and /D=folder last.
; A 64-bit installer for a 64-bit game: it runs where the game runs, a 32-bit-less Wine included.
Target amd64-unicode
SetCompressor /SOLID lzma
; Started as the player: an install for every user asks for an administrator once chosen.
RequestExecutionLevel user
; Windows draws the pages at the display's scale instead of stretching a 96-dpi picture of them.
ManifestDPIAware true
ManifestSupportedOS all
; The pages' picture and the plug-ins go in with no date, the game's files with the date the
; build gave them: two builds of one commit give the same installer.
SetDateSave off
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Вертуно"
!define PUBLISHER "The Vertuno developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vertuno"
!define GAME_WINDOW_CLASS "VertunoMachine"
!define ERROR_ELEVATION_REQUIRED 740

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка игры «Вертуно»"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© 2026 ${PUBLISHER}, MIT License"

Var ForAll            ; 1: every user, under Program Files; 0: the current user alone
Var DesktopShortcut   ; 1: a shortcut on the desktop too
Var Elevated          ; 1: the copy started with an administrator's rights, the choices made
Var FolderGiven       ; the folder named by /D=, which nothing overrides
Var ForAllButton
Var DesktopBox

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME}"
!define MUI_PAGE_CUSTOMFUNCTION_PRE skipOnceElevated
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE skipOnceElevated
!insertmacro MUI_PAGE_LICENSE "${PROGRAM}\LICENSE.txt"
Page custom choicesPage choicesPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\vertuno.exe"
!insertmacro MUI_PAGE_FINISH
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Игра будет удалена с компьютера. Деньги игроков (%APPDATA%\Vertuno\data1.ini) останутся: при новой установке автомат продолжит с того же счёта."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; Where the game goes for the install chosen: the folder /D= names, else the one the last
; install of that kind used, else the usual one.
Function useInstallKind
  ${If} $ForAll = 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\Vertuno"
  ${Else}
    SetShellVarContext current
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Vertuno"
  ${EndIf}
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $FolderGiven != ""
    StrCpy $INSTDIR $FolderGiven
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView 64
  StrCpy $FolderGiven $INSTDIR
  ${GetParameters} $1
  ; For every user where the last install was, or where the player is an administrator already.
  StrCpy $ForAll 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $ForAll 1
  ${ElseIf} $2 == ""
    System::Call "shell32::IsUserAnAdmin() i .r9"
    StrCpy $ForAll $9
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/ALLUSERS" $0
  ${IfNot} ${Errors}
    StrCpy $ForAll 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/CURRENTUSER" $0
  ${IfNot} ${Errors}
    StrCpy $ForAll 0
  ${EndIf}
  StrCpy $DesktopShortcut 1
  ClearErrors
  ${GetOptions} $1 "/NODESKTOPSHORTCUT" $0
  ${IfNot} ${Errors}
    StrCpy $DesktopShortcut 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/ELEVATED" $0
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
  Call useInstallKind
  ${If} ${Silent}
  ${AndIf} $ForAll = 1
    System::Call "shell32::IsUserAnAdmin() i .r9"
    ${If} $9 = 0
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function skipOnceElevated
  ${If} $Elevated = 1
    Abort
  ${EndIf}
FunctionEnd

Function choicesPage
  ${If} $Elevated = 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Параметры установки" "Для кого установить игру и где поставить её ярлыки."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "Для всех пользователей компьютера (нужны права администратора)"
  Pop $ForAllButton
  ${NSD_CreateRadioButton} 0 16u 100% 12u "Только для меня (права администратора не нужны)"
  Pop $0
  ${If} $ForAll = 1
    ${NSD_Check} $ForAllButton
  ${Else}
    ${NSD_Check} $0
  ${EndIf}
  ${NSD_CreateLabel} 12u 32u -12u 24u "Деньги автомата каждый игрок хранит у себя: %APPDATA%\Vertuno\data1.ini."
  Pop $0
  ${NSD_CreateCheckbox} 0 64u 100% 12u "Создать ярлык на рабочем столе"
  Pop $DesktopBox
  ${If} $DesktopShortcut = 1
    ${NSD_Check} $DesktopBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function choicesPageLeave
  ${NSD_GetState} $ForAllButton $ForAll
  ${NSD_GetState} $DesktopBox $DesktopShortcut
  Call useInstallKind
  ${If} $ForAll = 1
    System::Call "shell32::IsUserAnAdmin() i .r9"
    ${If} $9 = 0
      ; The rest runs in a copy with an administrator's rights, from the folder page on.
      StrCpy $0 ""
      ${If} $DesktopShortcut = 0
        StrCpy $0 "/NODESKTOPSHORTCUT"
      ${EndIf}
      ClearErrors
      ExecShell "runas" "$EXEPATH" "/ALLUSERS /ELEVATED $0"
      ${If} ${Errors}
        MessageBox MB_OK|MB_ICONINFORMATION "Без прав администратора игру можно установить только для себя."
        Abort
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Closes the game running from $INSTDIR, as the desktop's close would, so that it saves its
; money and lets its files go; asks the player first. Aborts when the game stays.
!macro CLOSE_RUNNING_GAME PREFIX
Function ${PREFIX}closeRunningGame
  StrCpy $R0 0
  ${Do}
    FindWindow $R0 "${GAME_WINDOW_CLASS}" "" 0 $R0
    ${If} $R0 = 0
      ${Break}
    ${EndIf}
    System::Call "user32::GetWindowThreadProcessId(p R0, *i .r1)"
    ; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
    System::Call "kernel32::OpenProcess(i 0x101000, i 0, i r1) p .R1"
    StrCpy $2 ""
    System::Call "kernel32::QueryFullProcessImageNameW(p R1, i 0, w .r2, *i ${NSIS_MAX_STRLEN})"
    ${If} $2 == "$INSTDIR\vertuno.exe"
      MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Игра «Вертуно» запущена. Закрыть её, сохранив деньги автомата?" \
        /SD IDOK IDOK close
      System::Call "kernel32::CloseHandle(p R1)"
      SetErrorLevel 2
      Abort "Игра «Вертуно» не закрыта."
      close:
      DetailPrint "Закрывается игра «Вертуно»..."
      System::Call "user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)"
      System::Call "kernel32::WaitForSingleObject(p R1, i 20000)"
      StrCpy $R0 0  ; from the first window again: the list has changed
    ${EndIf}
    System::Call "kernel32::CloseHandle(p R1)"
  ${Loop}
  ; A game no window of which is seen here (another player's) still holds the program.
  ${DoWhile} ${FileExists} "$INSTDIR\vertuno.exe"
    ClearErrors
    FileOpen $0 "$INSTDIR\vertuno.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Игра «Вертуно» из папки $INSTDIR ещё запущена. Закройте её и нажмите «Повтор»." \
      /SD IDCANCEL IDRETRY again
    SetErrorLevel 2
    Abort "Игра «Вертуно» не закрыта."
    again:
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_GAME ""
!insertmacro CLOSE_RUNNING_GAME "un."

Section
  Call closeRunningGame
  ; An earlier install of this kind in another folder goes, so no copy is left without an entry.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    DetailPrint "Удаляется прежняя установка из $0..."
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    ${If} $1 = 0
      Delete "$0\uninstall.exe"
      RMDir "$0"
    ${EndIf}
  ${EndIf}
  SetOutPath "$INSTDIR"
  SetDateSave on
  File "${PROGRAM}\vertuno.exe"
  File "${PROGRAM}\click.wav"
  File "${PROGRAM}\sound.wav"
  File "${PROGRAM}\LICENSE.txt"
  File "${PROGRAM}\README.txt"
  ; Tells the game it is installed: each player's money then lives in %APPDATA%\Vertuno.
  FileOpen $0 "$INSTDIR\installed" w
  FileWrite $0 "Installed: the money lives in each player's %APPDATA%\Vertuno.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vertuno.exe" "" "$INSTDIR\vertuno.exe" 0
  ${If} $DesktopShortcut = 1
    CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\vertuno.exe" "" "$INSTDIR\vertuno.exe" 0
  ${Else}
    Delete "$DESKTOP\${PRODUCT}.lnk"
  ${EndIf}

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vertuno.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The install was for every user when the machine's entry names this folder.
Function un.onInit
  SetRegView 64
  SetShellVarContext current
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext all
    System::Call "shell32::IsUserAnAdmin() i .r9"
    ${If} $9 = 0
      StrCpy $1 ""
      ${If} ${Silent}
        StrCpy $1 "/S"
      ${EndIf}
      ClearErrors
      ExecShell "runas" "$INSTDIR\uninstall.exe" $1
      ${If} ${Errors}
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.closeRunningGame
  Delete "$INSTDIR\vertuno.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$INSTDIR\click.wav"
  Delete "$INSTDIR\sound.wav"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\installed"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DetailPrint "Деньги игроков остались в %APPDATA%\Vertuno\data1.ini."
SectionEnd
