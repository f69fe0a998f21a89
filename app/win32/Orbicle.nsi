; The Orbicle installer (NSIS): Orbicle.exe, its run-time files and the player's README under
; Program Files, a Start-menu shortcut, and an uninstaller that removes the program and leaves the
; player's settings (HKEY_CURRENT_USER\Software\Local AppWizard-Generated Applications\Orbicle)
; and training history (%APPDATA%\Orbicle).
;   makensis -DVERSION=1.0.0 -DSTAGE=folder -DOUTFILE=setup.exe Orbicle.nsi
; STAGE holds Orbicle.exe, README.txt and res\.
; A 64-bit installer for a 64-bit program.
Target amd64-unicode

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbicle"

Name "Orbicle ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orbicle"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${STAGE}\orbicle.ico"
UninstallIcon "${STAGE}\orbicle.ico"

VIProductVersion "${VERSION}.1"
VIAddVersionKey "ProductName" "Orbicle"
VIAddVersionKey "FileDescription" "Orbicle ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}.1"
VIAddVersionKey "ProductVersion" "${VERSION}.1"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2004"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Orbicle"
  SetOutPath "$INSTDIR"
  File "${STAGE}\Orbicle.exe"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\res"
  File "${STAGE}\res\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Orbicle.lnk" "$INSTDIR\Orbicle.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orbicle"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orbicle.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Orbicle.lnk"
  Delete "$INSTDIR\Orbicle.exe"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\res"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
