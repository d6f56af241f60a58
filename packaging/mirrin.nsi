; The Windows installer, built by tools/package-windows.sh with makensis.
; Installs for the current user into a folder the user can write: the
; program keeps its configuration and log beside itself.
; 64-bit like the programs it installs (and so it runs under a 64-bit-only Wine).
Target amd64-unicode
!define APPKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirrin"

Name "Mirrin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Mirrin"
RequestExecutionLevel user
SetCompressor /SOLID lzma

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}/*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Mirrin"
  IfFileExists "$INSTDIR\mirrin.exe" 0 +2
    CreateShortcut "$SMPROGRAMS\Mirrin\Mirrin.lnk" "$INSTDIR\mirrin.exe"
  CreateShortcut "$SMPROGRAMS\Mirrin\Mirrin User Guide.lnk" "$INSTDIR\user-guide.md"
  CreateShortcut "$SMPROGRAMS\Mirrin\Uninstall Mirrin.lnk" "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${APPKEY}" "DisplayName" "Mirrin"
  WriteRegStr HKCU "${APPKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${APPKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${APPKEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${APPKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${APPKEY}" "NoRepair" 1
SectionEnd

; Removes what was installed; the configuration, category filter and logs
; the program wrote stay, and so does the folder while they are in it.
Section "Uninstall"
  Delete "$INSTDIR\mirrin.exe"
  Delete "$INSTDIR\mirrin-cli.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\user-guide.md"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Mirrin\Mirrin.lnk"
  Delete "$SMPROGRAMS\Mirrin\Mirrin User Guide.lnk"
  Delete "$SMPROGRAMS\Mirrin\Uninstall Mirrin.lnk"
  RMDir "$SMPROGRAMS\Mirrin"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${APPKEY}"
SectionEnd
