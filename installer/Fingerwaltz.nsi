; Per-user setup of Fingerwaltz: no administrator rights, installs into the user's local
; programs folder, where the program may write its settings and user folder beside itself.
; Built by installer/package.sh: makensis -DVERSION=x.y.z -DSTAGE=<files> -DFILELIST=<nsh>
;   -DICON=<program icon> -DOUTFILE=<setup.exe> Fingerwaltz.nsi
Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION, STAGE, FILELIST, ICON and OUTFILE must be defined"
!endif
!ifndef ICON
  !error "VERSION, STAGE, FILELIST, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "Fingerwaltz"
!define PUBLISHER "Fingerwaltz developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MAIN_CLASS "FINGERWALTZ"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

; The setup and the uninstaller carry the program's own icon.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks the user to close a running Fingerwaltz; a silent run gives up at once.
!macro WAIT_FOR_CLOSED un
Function ${un}WaitForClosed
  retry:
    FindWindow $0 "${MAIN_CLASS}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running. Please close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort
  done:
FunctionEnd
!macroend
!insertmacro WAIT_FOR_CLOSED ""
!insertmacro WAIT_FOR_CLOSED "un."

; The program files of this version, one Delete per file, then the folders deepest first.
; Folders that still hold the user's files (settings, users, own lessons) stay.
!macro REMOVE_PROGRAM_FILES
  !include "${FILELIST}"
!macroend

Function .onInit
  SetShellVarContext current
  Call WaitForClosed
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetShellVarContext current
  ; An older version goes first, so files it had and this one has not do not linger; its
  ; uninstaller keeps the settings, the users and their lessons when run silently.
  IfFileExists "$INSTDIR\Uninstall.exe" 0 fresh
    DetailPrint "Removing the previous version's program files"
    ExecWait '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
    Delete "$INSTDIR\Uninstall.exe"
  fresh:
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Desktop shortcut" SecDesktop
  SetShellVarContext current
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The typing tutor, its lessons, sounds, skins and help."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "A shortcut to ${PRODUCT} on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
  SetShellVarContext current
  Call un.WaitForClosed
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro REMOVE_PROGRAM_FILES
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The user's settings, statistics and own lessons stay unless the user asks otherwise; a
  ; silent uninstall (also the one an upgrade runs) always keeps them.
  IfFileExists "$INSTDIR\*.*" 0 gone
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your settings, statistics and own lessons from$\r$\n$INSTDIR ?$\r$\n$\r$\nChoose No to keep them for a later installation." \
      /SD IDNO IDNO keep
    RMDir /r "$INSTDIR"
  keep:
  RMDir "$INSTDIR"
  gone:
SectionEnd
