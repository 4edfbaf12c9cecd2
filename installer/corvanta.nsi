; Corvanta's installer: for every user of the machine, a Start-menu shortcut,
; and an uninstaller registered with Windows that leaves nothing behind.
;   makensis -DARCH=i686|x86_64 -DRELEASE=<release folder> -DVERSION=<version>
;            -DICON=<corvanta.ico> -DOUTFILE=<setup.exe> corvanta.nsi
Unicode true
!if "${ARCH}" == "x86_64"
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Corvanta"
!else
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Corvanta"
!endif

; With -DSIGN=<command>, the uninstaller and the installer are signed as
; they are made.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

Name "Corvanta"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Corvanta"
VIAddVersionKey "FileDescription" "Corvanta setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Corvanta developers"
VIAddVersionKey "LegalCopyright" "Corvanta developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvanta"
!define LANGUAGES "English German French Spanish Italian Portuguese Dutch"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!macro Views
  SetShellVarContext all
  !if "${ARCH}" == "x86_64"
    SetRegView 64
  !endif
!macroend

Section "Corvanta"
  !insertmacro Views
  SetOutPath "$INSTDIR"
  File "${RELEASE}\corvanta.exe"
  File "${RELEASE}\winaquas.skn"
  File "${RELEASE}\winaquas-dark.skn"
  File "${RELEASE}\Splash.spl"
  File "${RELEASE}\newhelp.chm"
  SetOutPath "$INSTDIR\languages"
  File "${RELEASE}\languages\*.ini"
  SetOutPath "$INSTDIR\policies"
  File "${RELEASE}\policies\corvanta.admx"
  SetOutPath "$INSTDIR\policies\en-US"
  File "${RELEASE}\policies\en-US\corvanta.adml"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Corvanta"
  CreateShortcut "$SMPROGRAMS\Corvanta\Corvanta.lnk" "$INSTDIR\corvanta.exe" "" "$INSTDIR\corvanta.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Corvanta"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Corvanta developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvanta.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro Views
  Delete "$SMPROGRAMS\Corvanta\Corvanta.lnk"
  RMDir "$SMPROGRAMS\Corvanta"
  Delete "$INSTDIR\corvanta.exe"
  Delete "$INSTDIR\winaquas.skn"
  Delete "$INSTDIR\winaquas-dark.skn"
  Delete "$INSTDIR\Splash.spl"
  Delete "$INSTDIR\newhelp.chm"
  Delete "$INSTDIR\PROGRAM.LOG"
  Delete "$INSTDIR\languages\*.ini"
  RMDir "$INSTDIR\languages"
  Delete "$INSTDIR\policies\en-US\corvanta.adml"
  RMDir "$INSTDIR\policies\en-US"
  Delete "$INSTDIR\policies\corvanta.admx"
  RMDir "$INSTDIR\policies"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
