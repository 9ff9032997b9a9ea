; The installer of Zorvak for Windows, made with NSIS by scripts/windows.sh:
;   makensis -DVERSIE=1.0.0 -DMAP=<program folder> -DLIJST=<file list> -DUIT=<setup.exe> zorvak.nsi
; MAP is the program's folder as `cmake --install` lays it out; LIJST is an include file with one
; `Delete` per installed file and one `RMDir` per folder, so that the uninstaller removes what was
; installed and nothing else. Settings, the evening's record and the card register live in
; %LOCALAPPDATA%\Zorvak and are left alone, as are files the organiser put in the program folder.
; `Zorvak-setup.exe /S` installs silently (with the desktop shortcut), `/D=C:\Pad` elsewhere.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!define NAAM "Zorvak"
!define UITGEVER "Zorvak"
!define SLEUTEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvak"

Name "${NAAM}"
OutFile "${UIT}"
InstallDir "$PROGRAMFILES64\${NAAM}"
InstallDirRegKey HKLM "${SLEUTEL}" "InstallLocation"
BrandingText "${NAAM} ${VERSIE}"
VIProductVersion "${VERSIE}.0"
VIAddVersionKey /LANG=1043 "ProductName" "${NAAM}"
VIAddVersionKey /LANG=1043 "FileDescription" "Installatie van ${NAAM}"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSIE}"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSIE}"
VIAddVersionKey /LANG=1043 "CompanyName" "${UITGEVER}"
VIAddVersionKey /LANG=1043 "LegalCopyright" "2026 Zorvak, GPL-3.0-or-later"

!define MUI_ICON "${MAP}\zorvak.ico"
!define MUI_UNICON "${MAP}\zorvak.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zorvak.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Zorvak nu starten"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Dutch"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Zorvak werkt alleen op een 64-bits Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Zorvak (vereist)" SecProgramma
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${MAP}\*.*"
  WriteUninstaller "$INSTDIR\Zorvak-verwijderen.exe"

  CreateDirectory "$SMPROGRAMS\${NAAM}"
  CreateShortcut "$SMPROGRAMS\${NAAM}\Zorvak.lnk" "$INSTDIR\zorvak.exe" "" "$INSTDIR\zorvak.ico"
  CreateShortcut "$SMPROGRAMS\${NAAM}\Handleiding.lnk" "$INSTDIR\Zorvak.pdf"
  CreateShortcut "$SMPROGRAMS\${NAAM}\Zorvak verwijderen.lnk" "$INSTDIR\Zorvak-verwijderen.exe"

  ; The entry in the list of installed programs.
  WriteRegStr HKLM "${SLEUTEL}" "DisplayName" "${NAAM}"
  WriteRegStr HKLM "${SLEUTEL}" "DisplayVersion" "${VERSIE}"
  WriteRegStr HKLM "${SLEUTEL}" "Publisher" "${UITGEVER}"
  WriteRegStr HKLM "${SLEUTEL}" "DisplayIcon" "$INSTDIR\zorvak.ico"
  WriteRegStr HKLM "${SLEUTEL}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${SLEUTEL}" "UninstallString" '"$INSTDIR\Zorvak-verwijderen.exe"'
  WriteRegStr HKLM "${SLEUTEL}" "QuietUninstallString" '"$INSTDIR\Zorvak-verwijderen.exe" /S'
  WriteRegStr HKLM "${SLEUTEL}" "URLInfoAbout" "https://www.zorvak.nl/"
  WriteRegDWORD HKLM "${SLEUTEL}" "NoModify" 1
  WriteRegDWORD HKLM "${SLEUTEL}" "NoRepair" 1
  ; In KiB, as the list of programs shows it.
  WriteRegDWORD HKLM "${SLEUTEL}" "EstimatedSize" ${GROOTTE_KB}
SectionEnd

Section "Snelkoppeling op het bureaublad" SecBureaublad
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Zorvak.lnk" "$INSTDIR\zorvak.exe" "" "$INSTDIR\zorvak.ico"
SectionEnd

LangString DESC_SecProgramma ${LANG_DUTCH} "Het programma, de achtergronden en de handleiding."
LangString DESC_SecBureaublad ${LANG_DUTCH} "Een snelkoppeling naar Zorvak op het bureaublad."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgramma} $(DESC_SecProgramma)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecBureaublad} $(DESC_SecBureaublad)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  SetShellVarContext all
  Delete "$DESKTOP\Zorvak.lnk"
  Delete "$SMPROGRAMS\${NAAM}\Zorvak.lnk"
  Delete "$SMPROGRAMS\${NAAM}\Handleiding.lnk"
  Delete "$SMPROGRAMS\${NAAM}\Zorvak verwijderen.lnk"
  RMDir "$SMPROGRAMS\${NAAM}"
  !include "${LIJST}"
  Delete "$INSTDIR\Zorvak-verwijderen.exe"
  ; Only when empty: a Zorvak.ini or a record of the organiser's own stays where it is.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${SLEUTEL}"
SectionEnd
