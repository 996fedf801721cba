# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer, made by tools/windows/build.sh with
#   makensis -INPUTCHARSET UTF8 -DVERSION=3.1.0 -DSTAGE=<folder> -DUNINSTALL_LIST=<file.nsh>
#            -DICON=lumo3.ico -DOUTFILE=<file> installer.nsi
# STAGE holds the program as it is installed (tools/windows/deploy.sh);
# UNINSTALL_LIST removes exactly those files and folders.
# For every user of the computer, into Program Files; Thai first, English too.
# Silent for a whole computer room:  lumo3-3.1.0-setup.exe /S [/D=C:\Path]
# and uninstalled silently with:     "C:\Program Files\lumo3\uninstall.exe" /S
# Results and settings stay with each Windows user (AppData) and the room's
# settings in C:\ProgramData\lumo3: neither is removed.

# A 64-bit installer, for a 64-bit program.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "lumo3"
!define PUBLISHER "The lumo3 authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\lumo3"
!define GAME_LINK "นับเลขกับพี่ปิโก"
!define RESULTS_LINK "ผลการทดสอบ"

Name "${GAME_LINK} (lumo3 ${VERSION})"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\lumo3"
BrandingText "lumo3 ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1054 "ProductName" "lumo3"
VIAddVersionKey /LANG=1054 "FileDescription" "ตัวติดตั้ง ${GAME_LINK}"
VIAddVersionKey /LANG=1054 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1054 "LegalCopyright" "© 2026 ${PUBLISHER}, GPL-3.0-or-later"
VIAddVersionKey /LANG=1054 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1054 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_FINISHPAGE_RUN "$INSTDIR\lumo3.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/doc/GPL-3.0-or-later.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

# The first language is the one taken when Windows speaks neither.
!insertmacro MUI_LANGUAGE "Thai"
!insertmacro MUI_LANGUAGE "English"

LangString NeedsWindows64 1054 "โปรแกรมนี้ต้องใช้ Windows รุ่น 64 บิต"
LangString NeedsWindows64 1033 "This program needs 64-bit Windows."

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP|MB_OK "$(NeedsWindows64)" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "lumo3" Program
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  # The computer's settings for the class (lumo3.conf) go in this folder.
  CreateDirectory "$APPDATA\lumo3"

  CreateShortcut "$SMPROGRAMS\${GAME_LINK}.lnk" "$INSTDIR\lumo3.exe" "" "$INSTDIR\lumo3.exe" 0
  CreateShortcut "$SMPROGRAMS\${RESULTS_LINK}.lnk" "$INSTDIR\lumo3.exe" "--results" \
    "$INSTDIR\lumo3.exe" 0

  # What Windows lists under installed programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${GAME_LINK} (lumo3)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumo3.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${GAME_LINK}.lnk"
  Delete "$SMPROGRAMS\${RESULTS_LINK}.lnk"
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
