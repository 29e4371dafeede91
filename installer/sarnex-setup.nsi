; sarnex-setup.exe: installs the Sarnex configuration programs, registers their uninstaller, and
; deploys silently.  The build passes in (makensis -D...):
;   SARNEX_TARGET     x86-unicode for the shipped installer, amd64-unicode for the 64-bit test copy
;   SARNEX_VERSION    the programs' version, MAJOR.MINOR.PATCH
;   SARNEX_OUTFILE    the installer to write, and SARNEX_SETUP_NAME its file name
;   SARNEX_ICON       the programs' icon
;   SARNEX_CFG_EXE    sarnexcfg.exe
;   SARNEX_CTL_EXE    sarnexctl.exe, when the build has it; /CONFIG needs it
;
; Exit codes: 0 installed; 1 cancelled by the user; 2 failed; 3 a Sarnex program is running from the
; installation folder (nothing changed); 4 the /CONFIG settings were refused; 740 not an administrator.

Target ${SARNEX_TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be written fails the install; it is never skipped with success reported.
AllowSkipFiles off
ManifestDPIAware true

!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include MUI2.nsh
!include Sections.nsh

!define PRODUCT_NAME "Sarnex Configuration Utility"
!define PUBLISHER "Sarnex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sarnex"
!define SETTINGS_KEY "Software\Sarnex"
!define SHORTCUT "Sarnex Configuration.lnk"
!define UNINSTALLER "uninstall.exe"
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_SETTINGS_REFUSED 4
!define EXIT_NOT_ADMIN 740

Name "${PRODUCT_NAME}"
OutFile "${SARNEX_OUTFILE}"
; The folder for programs of the installer's own width: the 64-bit copy carries 64-bit programs.
!if ${NSIS_PTR_SIZE} > 4
  InstallDir "$PROGRAMFILES64\Sarnex"
!else
  InstallDir "$PROGRAMFILES\Sarnex"
!endif
; An upgrade goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT_NAME} ${SARNEX_VERSION}"

; The same version resource as the programs carry, which hold no copyright text either.
!pragma warning disable 9100
VIProductVersion "${SARNEX_VERSION}.0"
VIFileVersion "${SARNEX_VERSION}.0"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${SARNEX_VERSION}"
VIAddVersionKey /LANG=1033 "InternalName" "sarnex-setup"
VIAddVersionKey /LANG=1033 "OriginalFilename" "${SARNEX_SETUP_NAME}"
VIAddVersionKey /LANG=1033 "ProductName" "Sarnex RAM Disk"
VIAddVersionKey /LANG=1033 "ProductVersion" "${SARNEX_VERSION}"

!define MUI_ICON "${SARNEX_ICON}"
!define MUI_UNICON "${SARNEX_ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; "install": the editor without the restart offer, since this installer is still running.
!define MUI_FINISHPAGE_RUN "$INSTDIR\sarnexcfg.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "install"
!define MUI_FINISHPAGE_RUN_TEXT "Configure the RAM disk now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var configWords  ; the words of /CONFIG="...", for "sarnexctl set"

; Waits until no program of the installation is running from $INSTDIR, so that no file is left
; half-replaced or half-removed. A running program holds its file open: it cannot be opened for
; writing. Silently there is no one to ask: the run ends with EXIT_PROGRAM_RUNNING, nothing changed.
!macro WAIT_FOR_PROGRAMS_CLOSED prefix
Function ${prefix}WaitForProgramClosed  ; the program's file name on the stack
  Exch $1
  Push $0
  ${If} ${FileExists} "$INSTDIR\$1"
    ${Do}
      ClearErrors
      FileOpen $0 "$INSTDIR\$1" a
      ${IfNot} ${Errors}
        FileClose $0
        ${Break}
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "$1 is running from $INSTDIR.$\r$\n$\r$\nClose it, then choose Retry. Cancel leaves the installed files unchanged." \
        /SD IDCANCEL IDRETRY retry
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      DetailPrint "$1 is running from $INSTDIR: nothing was changed."
      Abort
    retry:
    ${Loop}
  ${EndIf}
  Pop $0
  Pop $1
FunctionEnd

Function ${prefix}WaitForProgramsClosed
  Push sarnexcfg.exe
  Call ${prefix}WaitForProgramClosed
  Push sarnexctl.exe
  Call ${prefix}WaitForProgramClosed
FunctionEnd
!macroend
!insertmacro WAIT_FOR_PROGRAMS_CLOSED ""
!insertmacro WAIT_FOR_PROGRAMS_CLOSED "un."

; Applies /CONFIG through "sarnexctl set". Run first with --dry-run from a copy in $PLUGINSDIR, before
; anything is installed, so that refused words fail the install with nothing written at all.
!macro APPLY_CONFIG program extra
  ${If} $configWords != ""
!ifdef SARNEX_CTL_EXE
    DetailPrint "sarnexctl set $configWords ${extra}"
    nsExec::ExecToLog '"${program}" set $configWords ${extra}'
    Pop $0
    ${If} $0 != 0
      SetErrorLevel ${EXIT_SETTINGS_REFUSED}
      DetailPrint "The settings $\"$configWords$\" were refused (sarnexctl: $0); none was written."
      Abort
    ${EndIf}
!else
    SetErrorLevel ${EXIT_SETTINGS_REFUSED}
    DetailPrint "This installer carries no sarnexctl.exe: it cannot apply $\"$configWords$\"."
    Abort
!endif
  ${EndIf}
!macroend

Function .onInit
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "Installing ${PRODUCT_NAME} needs administrator rights." /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
  ${GetParameters} $0
  ; Deployment tools quote a whole argument that holds blanks: "/CONFIG=size=64 letter=R".
  ${WordReplace} $0 '"/CONFIG=' '/CONFIG="' "+" $0
  ClearErrors
  ${GetOptions} $0 "/CONFIG=" $configWords
  ${If} ${Errors}
    StrCpy $configWords ""
  ${EndIf}
FunctionEnd

; The dry run of /CONFIG, from a copy outside the installation folder. A function of its own, so
; that the copy does not count in the size of the programs the section installs.
Function CheckConfig
!ifdef SARNEX_CTL_EXE
  ${If} $configWords != ""
    InitPluginsDir
    File "/oname=$PLUGINSDIR\sarnexctl.exe" "${SARNEX_CTL_EXE}"
    !insertmacro APPLY_CONFIG "$PLUGINSDIR\sarnexctl.exe" "--dry-run"
  ${EndIf}
!else
  !insertmacro APPLY_CONFIG "" ""
!endif
FunctionEnd

Section "${PRODUCT_NAME}" ProgramSection
  SectionIn RO
  Call WaitForProgramsClosed
  Call CheckConfig

  SetOutPath "$INSTDIR"
  File "/oname=sarnexcfg.exe" "${SARNEX_CFG_EXE}"
!ifdef SARNEX_CTL_EXE
  File "/oname=sarnexctl.exe" "${SARNEX_CTL_EXE}"
!endif
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\sarnexcfg.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${SARNEX_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sarnexcfg.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  SectionGetSize ${ProgramSection} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

!ifdef SARNEX_CTL_EXE
  !insertmacro APPLY_CONFIG "$INSTDIR\sarnexctl.exe" ""
!endif
SectionEnd

; ---- uninstaller -----------------------------------------------------------------------------------

Section "un.${PRODUCT_NAME}" RemoveProgramSection
  SectionIn RO
  Call un.WaitForProgramsClosed
  Delete "$INSTDIR\sarnexcfg.exe"
  Delete "$INSTDIR\sarnexctl.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: files of the administrator's own stay where they are.
  RMDir "$INSTDIR"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${SHORTCUT}"
SectionEnd

; The driver still reads its settings after this program is gone: they stay unless asked for.
Section /o "un.Also remove the RAM disk settings" RemoveSettingsSection
  DeleteRegKey HKLM "${SETTINGS_KEY}"
SectionEnd

Section "-un.Unregister"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${RemoveSettingsSection}
  ${EndIf}
FunctionEnd
