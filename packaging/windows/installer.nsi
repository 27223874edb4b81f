; The Lumivex installer: lumivex.exe and its README under Program Files, a Start-menu entry, an
; entry in the list of installed programs, and an uninstaller. /S installs and uninstalls
; silently. makensis gets VERSION, VERSION_QUAD, EXE, README, ICON and OUTFILE with -D.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

Name "Lumivex ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Lumivex"
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Lumivex"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Lumivex ${VERSION} setup"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivex"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Lumivex"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=lumivex.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Lumivex.lnk" "$INSTDIR\lumivex.exe" "" "$INSTDIR\lumivex.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Lumivex"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumivex.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Lumivex.lnk"
  Delete "$INSTDIR\lumivex.exe"
  Delete "$INSTDIR\README.txt"
  ; Settings written beside the program by an administrator go with it; each user's own
  ; settings (%APPDATA%\Lumivex) stay.
  Delete "$INSTDIR\config.set"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
