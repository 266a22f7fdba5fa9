; The Windows installer of VeskEdit: one user's copy, installed without administrator
; rights into %LOCALAPPDATA%\Programs\VeskEdit, with a Start menu entry, an entry in the
; installed programs' list and "Open with" for .gb files. Built by the vesk-installer
; target of the Windows build (cmake/windows_installer.cmake), which passes:
;   VERSION  the version, "1.2.3"          STAGE    the folder of the files to install
;   APP_ID   the application ID            ICON     the program's icon
;   OUTFILE  the installer to write
; Every path here is per user (HKCU, the user's own folders); the default program for
; .gb files is never changed.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUCT "VeskEdit"
!define PROGRAM "vesk-edit.exe"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"
!define CLASSES "Software\Classes"
; The ProgID "Open with" lists for .gb files: only this editor's own key.
!define PROGID "${APP_ID}.gb"
!define WINDOW_CAPTION "GB版Vesk1 敵キャラステータスエディタ"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "VeskEdit developers"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (c) 2026 VeskEdit developers, MIT licence"

; Stops when the editor of $INSTDIR is running: its program could be neither replaced nor
; removed, and the run would end as if it had worked. A running program cannot be opened
; for writing.
!macro StopWhileEditorRuns
  ${If} ${FileExists} "$INSTDIR\${PROGRAM}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${PROGRAM}" a
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} が起動しています。${PRODUCT} を終了してから、もう一度実行してください。" /SD IDOK
      SetErrorLevel 3
      Quit
    ${EndIf}
    FileClose $0
  ${EndIf}
!macroend

Function .onInit
  !insertmacro StopWhileEditorRuns
FunctionEnd

Function un.onInit
  !insertmacro StopWhileEditorRuns
FunctionEnd

; Tells the desktop that the "Open with" entries changed (SHCNE_ASSOCCHANGED).
!macro NotifyAssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\${PROGRAM}"
  File "${STAGE}\vesk.exe"
  File "${STAGE}\README.md"
  File "${STAGE}\LICENSE"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 SW_SHOWNORMAL \
    "" "${WINDOW_CAPTION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "VeskEdit developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; "Open with" for .gb: a ProgID of the editor's own, listed beside whatever else opens
  ; .gb files; the default value of .gb stays as it is. The editor ignores its command
  ; line, so the entry starts it and the file is then opened from its menu.
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "GB ファイル"
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "FriendlyTypeName" "GB ファイル"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
  WriteRegNone HKCU "${CLASSES}\.gb\OpenWithProgids" "${PROGID}"
  !insertmacro NotifyAssociationsChanged
SectionEnd

; Removes what the installer wrote. data.ini, the setting the editor keeps beside itself,
; stays, and with it the folder: it is the user's, and a later install finds it again.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\vesk.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegValue HKCU "${CLASSES}\.gb\OpenWithProgids" "${PROGID}"
  ; The keys of .gb only go when nothing else is in them.
  DeleteRegKey /ifempty HKCU "${CLASSES}\.gb\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.gb"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !insertmacro NotifyAssociationsChanged
SectionEnd
