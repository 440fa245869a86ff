; Vellumdesk's installer, built on Linux with makensis. installer/CMakeLists.txt passes:
;   EXE      the built Vellumdesk.exe             README   ReadMe.txt
;   ICON     the program icon                     OUTFILE  where to write the setup
;   VERSION  "2.2", VERSION_TEXT "2.2.0.0"         (both from the project's version)
;   ARCH64   defined for the 64-bit program: it goes into the 64-bit Program Files and its
;            entries into the 64-bit registry view; without it, the 32-bit program's places.
; Silent with /S. The uninstaller removes what the installer placed and the program's file
; association, and leaves the user's settings file (Vellumdesk.ini in the Windows folder) alone.

Unicode true
!ifdef ARCH64
; The 64-bit program gets a 64-bit setup: it runs on hosts that run no 32-bit programs at all.
Target amd64-unicode
!endif
SetCompressor /SOLID lzma

!ifndef VERSION | VERSION_TEXT
!error "installer/CMakeLists.txt passes VERSION and VERSION_TEXT"
!endif
!define PRODUCT "Vellumdesk"
!define MAKERS "The Vellumdesk developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumdesk"

!ifdef ARCH64
!include "x64.nsh"
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
!ifdef ARCH64
; The 64-bit Program Files and registry view, named outright so that nothing depends on the
; setup's own width.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
; A 32-bit program: Program Files (x86) on 64-bit Windows.
InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; Program Files, the all-users Start menu and HKLM need an administrator.
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_TEXT}"
VIFileVersion "${VERSION_TEXT}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "CompanyName" "${MAKERS}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${MAKERS}"

!ifdef ARCH64
Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "This is the 64-bit ${PRODUCT}; 32-bit Windows needs the 32-bit setup." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  ; The folder of an earlier installation, unless /D named one.
  ${If} $INSTDIR == "$PROGRAMFILES64\${PRODUCT}"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd
!else
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
!endif

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Vellumdesk"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=Vellumdesk.exe" "${EXE}"
  File "/oname=ReadMe.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Vellumdesk.exe" "" "$INSTDIR\Vellumdesk.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} ReadMe.lnk" "$INSTDIR\ReadMe.txt"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKERS}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vellumdesk.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" 4096
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Only the files the installer placed: anything the user left in the folder stays, and then
  ; so does the folder.
  Delete "$INSTDIR\Vellumdesk.exe"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} ReadMe.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The program registers itself as the opener of .txt files at every start. Once it is gone
  ; that would name a missing program: hand .txt back to the system's text file type. A copy
  ; run from elsewhere registers itself again at its next start.
  ReadRegStr $0 HKCR ".txt" ""
  StrCmp $0 "VellumdeskFile" 0 +2
    WriteRegStr HKCR ".txt" "" "txtfile"
  DeleteRegKey HKCR "VellumdeskFile"
  ; Vellumdesk.ini in the Windows folder holds the user's settings and is left alone.
  ; The uninstall entry goes last: its absence tells that everything else is done.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
