; sarnex-setup.exe: installs the Sarnex configuration programs and the Group Policy template, registers
; their uninstaller, gives the driver a settings key when it has none, and deploys silently. Besides
; what sarnex.nsh lists, the build passes in:
;   SARNEX_CFG_EXE, SARNEX_CTL_EXE   sarnexcfg.exe and sarnexctl.exe
;   SARNEX_UNINSTALL_EXE             uninstall.exe, built from uninstall.nsi
;   SARNEX_POLICY_DIR                the folder with sarnex.admx and en-US\sarnex.adml
;
; Exit codes: 0 installed; 1 cancelled by the user; 2 failed or refused (a bad option or folder, another
; installed copy), nothing changed; 3 a Sarnex program is running from the installation folder, nothing
; changed; 4 the settings of /IMPORT or /CONFIG were refused, nothing installed or written; 740 not an
; administrator. Each run's log: $WINDIR\Logs\sarnex-setup.log.

!addincludedir "${__FILEDIR__}"
!include "sarnex.nsh"

!insertmacro VERSION_RESOURCE "${PRODUCT_NAME} Setup" "sarnex-setup"

; The folder for programs of the installer's own width: the 64-bit copy carries 64-bit programs.
!if ${NSIS_PTR_SIZE} > 4
  InstallDir "$PROGRAMFILES64\Sarnex"
!else
  InstallDir "$PROGRAMFILES\Sarnex"
!endif
; An upgrade goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

; Where sarnexctl runs before the programs are in place: a new folder in the installation folder,
; which only administrators can write, unlike a temporary folder.
!define STAGING "~setup"

!define MUI_ABORTWARNING
; There is only one installed copy: its folder is not chosen again.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOfInstalledCopy
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; "install": the editor without the restart offer, since this installer is still running.
!define MUI_FINISHPAGE_RUN "$INSTDIR\sarnexcfg.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "install"
!define MUI_FINISHPAGE_RUN_TEXT "Configure the RAM disk now"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Var installedDir   ; the folder of the installed copy, if there is one
Var importFile     ; /IMPORT=FILE, made absolute
Var importGiven
Var configWords    ; /CONFIG=TEXT, for "sarnexctl set --words"
Var configGiven
Var optionCode     ; the first problem with the options: its exit code and why
Var optionProblem
Var staging        ; where sarnexctl runs from
Var createdBelow   ; the deepest folder of $INSTDIR that existed before this run
Var keyExisted     ; whether the settings key was there before this run
Var settingsTouched

!macro OPTION_PROBLEM code text
  ${If} $optionProblem == ""
    StrCpy $optionCode ${code}
    StrCpy $optionProblem `${text}`
  ${EndIf}
!macroend

; One option in $R9. NSIS itself takes /S exactly so and /NCRC; an option it does not know is
; refused, so that a mistyped one does not install without what it asked for.
Function OnOption
  StrCpy $R5 $R9 8
  StrCpy $R6 $R9 "" 8
  StrCpy $R7 $R9 3
  ${If} $R9 S== "/S"
  ${OrIf} $R9 S== "/NCRC"
    ; taken by NSIS itself
  ${ElseIf} $R5 == "/CONFIG="
    ${If} $configGiven == 1
      !insertmacro OPTION_PROBLEM ${EXIT_SETTINGS_REFUSED} "/CONFIG is given twice: give all the settings in one /CONFIG."
    ${EndIf}
    StrCpy $configGiven 1
    StrCpy $configWords $R6
  ${ElseIf} $R5 == "/IMPORT="
    ${If} $importGiven == 1
      !insertmacro OPTION_PROBLEM ${EXIT_SETTINGS_REFUSED} "/IMPORT is given twice: import one file."
    ${ElseIf} $R6 == ""
      !insertmacro OPTION_PROBLEM ${EXIT_SETTINGS_REFUSED} "/IMPORT= names no file."
    ${EndIf}
    StrCpy $importGiven 1
    Push $R6
    Call FullPath
    Pop $importFile
  ${ElseIf} $R7 == "/D="
    !insertmacro OPTION_PROBLEM ${EXIT_FAILED} "$R9: /D= must come last and without quotes, even with blanks in it."
  ${Else}
    !insertmacro OPTION_PROBLEM ${EXIT_FAILED} "$R9 is not an option of this installer (/S, /IMPORT=FILE, /CONFIG=TEXT, /D=FOLDER)."
  ${EndIf}
FunctionEnd

; The path on the stack made absolute against the current folder, without a trailing "\" ("C:\"
; keeps its own), whether or not it exists.
Function FullPath
  Exch $0
  Push $1
  Push $2
  System::Call 'kernel32::GetFullPathNameW(w r0, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r2'
  ${If} $2 != 0
    StrCpy $0 $1
  ${EndIf}
  StrCpy $1 "\"
  ${DoWhile} $1 == "\"
    StrCpy $1 $0 1 -1
    StrCpy $2 $0 1 -2
    ${If} $1 == "\"
    ${AndIf} $2 != ":"
      StrCpy $0 $0 -1
    ${Else}
      StrCpy $1 ""
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

Function .onInit
  !insertmacro OPEN_LOG "sarnex-setup.log"
  !insertmacro RAW_COMMAND_LINE R8
  ${Log} "${PRODUCT_NAME} ${SARNEX_VERSION} setup: $R8"
  !insertmacro REQUIRE_ADMIN "Installing"
  Call ReadOptions
  ${If} $optionProblem != ""
    MessageBox MB_OK|MB_ICONSTOP "$optionProblem" /SD IDOK
    !insertmacro FAIL $optionCode "$optionProblem Nothing was changed."
    Quit
  ${EndIf}

  ; NSIS's stub takes /D= off the command line and, when that folder cannot be made (no such drive, a
  ; file in its way), silently puts the default folder in its place: the two would differ.
  StrLen $0 $CMDLINE
  StrCpy $1 $R8 "" $0
  StrCpy $2 $1 4
  ${If} $2 == " /D="
    StrCpy $1 $1 "" 4
    Push $1
    Call FullPath
    Pop $2
    Push $INSTDIR
    Call FullPath
    Pop $3
    ${If} $2 != $3
      MessageBox MB_OK|MB_ICONSTOP "$1 cannot be made: there is no such drive, or a file is in its way." /SD IDOK
      !insertmacro FAIL ${EXIT_FAILED} "/D=$1 cannot be made: there is no such drive, or a file is in its way. Nothing was changed."
      Quit
    ${EndIf}
  ${EndIf}

  ; Never more than one installed copy: to move it, it is uninstalled first.
  ReadRegStr $installedDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $installedDir != ""
  ${AndIf} ${FileExists} "$installedDir\${UNINSTALLER}"
    Push $installedDir
    Call FullPath
    Pop $0
    Push $INSTDIR
    Call FullPath
    Pop $1
    ${If} $0 != $1
      MessageBox MB_OK|MB_ICONSTOP "${PRODUCT_NAME} is installed in $installedDir. To install it in $INSTDIR, uninstall it first." /SD IDOK
      !insertmacro FAIL ${EXIT_FAILED} "${PRODUCT_NAME} is installed in $\"$installedDir$\": to install it in $\"$INSTDIR$\", uninstall it first. Nothing was changed."
      Quit
    ${EndIf}
  ${Else}
    StrCpy $installedDir ""
  ${EndIf}
FunctionEnd

Function SkipFolderOfInstalledCopy
  ${If} $installedDir != ""
    Abort
  ${EndIf}
FunctionEnd

Function WaitForProgramsClosed
  Push sarnexcfg.exe
  Call WaitForProgramClosed
  Push sarnexctl.exe
  Call WaitForProgramClosed
  Push ${UNINSTALLER}
  Call WaitForProgramClosed
FunctionEnd

; The text on the stack as one argument of a command line, in double quotes. It holds none of its own
; (the option's quotes ended it); backslashes before the closing quote are doubled, so that they stay.
Function ArgumentQuoted
  Exch $0
  Push $1
  Push $2
  StrCpy $2 ""
  StrCpy $1 $0 1 -1
  ${DoWhile} $1 == "\"
    StrCpy $0 $0 -1
    StrCpy $2 "$2\"
    StrCpy $1 $0 1 -1
  ${Loop}
  StrCpy $0 '"$0$2$2"'
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Runs "sarnexctl ARGUMENTS" (on the stack) from the staging folder and logs what it says. One that
; fails ends the install: 4 for settings it refused or a file it could not read, 2 for anything else.
Function Ctl
  Exch $0
  Push $1
  Push $2
  ${Log} "sarnexctl $0"
  nsExec::ExecToStack /OEM '"$staging\sarnexctl.exe" $0'
  Pop $1
  Pop $2
  ${If} $2 != ""
    ${Log} $2
  ${EndIf}
  ${If} $1 != 0
    ${If} $1 == 1
    ${OrIf} $1 == 2
      !insertmacro FAIL ${EXIT_SETTINGS_REFUSED} "The settings were refused (sarnexctl: $1): nothing was installed or written."
    ${Else}
      !insertmacro FAIL ${EXIT_FAILED} "sarnexctl failed ($1): nothing was installed or written."
    ${EndIf}
    Abort
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; A new folder in the installation folder for sarnexctl, the folders above it that are made along the
; way remembered, so that a refusal leaves none of them.
Function MakeStaging
  StrCpy $createdBelow $INSTDIR
  ${Do}
    ${If} $createdBelow != ""
    ${AndIfNot} ${FileExists} "$createdBelow\*.*"
      ${GetParent} $createdBelow $createdBelow
    ${Else}
      ${ExitDo}
    ${EndIf}
  ${Loop}
  StrCpy $staging "$INSTDIR\${STAGING}"
  RMDir /r "$staging"
  ClearErrors
  CreateDirectory "$staging"
  ${If} ${Errors}
    !insertmacro FAIL ${EXIT_FAILED} "$INSTDIR cannot be made: nothing was installed."
    Abort
  ${EndIf}
  File "/oname=$staging\sarnexctl.exe" "${SARNEX_CTL_EXE}"
FunctionEnd

; The staging folder, and the folders made for it when the install did not finish.
Function RemoveStaging
  Exch $0  ; 1 when the install finished
  Push $1
  RMDir /r "$staging"
  ${If} $0 != 1
    StrCpy $1 $INSTDIR
    ${DoWhile} $1 != $createdBelow
      RMDir $1
      ${GetParent} $1 $1
      ${IfThen} $1 == "" ${|} StrCpy $1 $createdBelow ${|}
    ${Loop}
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; The settings before the programs, so that a refusal leaves nothing installed: /IMPORT and /CONFIG are
; tried as dry runs first; then the key is made if absent, /IMPORT applied, then /CONFIG. Each step
; writes all or nothing; when a later one is refused after an earlier one wrote (a /CONFIG that an
; imported disk size refuses), the key is put back as it stood, from a copy exported before.
Function ApplySettings
  Call MakeStaging
  ${If} $importGiven == 1
    Push 'import "$importFile" --dry-run --strict'
    Call Ctl
  ${EndIf}
  ${If} $configGiven == 1
    Push "--words=$configWords"
    Call ArgumentQuoted
    Pop $0
    Push "set --dry-run --strict $0"
    Call Ctl
  ${EndIf}
  !insertmacro SETTINGS_KEY_EXISTS $keyExisted
  ${If} $keyExisted == 1
    Push 'export "$staging\before.reg"'
    Call Ctl
  ${EndIf}
  StrCpy $settingsTouched 1
  Push "init"
  Call Ctl
  ${If} $importGiven == 1
    Push 'import "$importFile" --strict'
    Call Ctl
  ${EndIf}
  ${If} $configGiven == 1
    Push "set --strict $0"
    Call Ctl
  ${EndIf}
FunctionEnd

; The key as it stood before this run: made by it, it goes; otherwise every value goes and the copy
; comes back, byte for byte, its subkeys untouched.
Function RestoreSettings
  ${If} $settingsTouched != 1
    Return
  ${EndIf}
  !insertmacro SETTINGS_VIEW
  ${If} $keyExisted != 1
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    !insertmacro PROGRAM_VIEW
    ${Log} "The settings key made by this run was removed again."
    Return
  ${EndIf}
  ; The default value's name is empty, as is the name EnumRegValue gives after the last value.
  ; (Testing the error flag clears it.)
  StrCpy $1 1
  ${DoWhile} $1 == 1
    ClearErrors
    EnumRegValue $0 HKLM "${SETTINGS_KEY}" 0
    ${If} ${Errors}
      StrCpy $1 0
    ${Else}
      DeleteRegValue HKLM "${SETTINGS_KEY}" $0
      ${If} ${Errors}
        StrCpy $1 0
        ${IfThen} $0 != "" ${|} ${Log} "The value $0 could not be removed." ${|}
      ${EndIf}
    ${EndIf}
  ${Loop}
  !insertmacro PROGRAM_VIEW
  nsExec::ExecToStack /OEM '"$staging\sarnexctl.exe" import "$staging\before.reg"'
  Pop $0
  Pop $1
  ${If} $0 == 0
    ${Log} "The settings were put back as they stood."
  ${Else}
    ; The copy stays where it is, for the administrator to import.
    ${Log} "The settings could not be put back (sarnexctl: $0): $1"
    ${Log} "They are in $staging\before.reg."
    StrCpy $staging ""
  ${EndIf}
FunctionEnd

Section "${PRODUCT_NAME}" ProgramSection
  SectionIn RO
  Call WaitForProgramsClosed
  Call ApplySettings

  SetOutPath "$INSTDIR"
  File "/oname=sarnexcfg.exe" "${SARNEX_CFG_EXE}"
  File "/oname=sarnexctl.exe" "${SARNEX_CTL_EXE}"
  File "/oname=${UNINSTALLER}" "${SARNEX_UNINSTALL_EXE}"
  ; The Group Policy template, for administrators to copy where Group Policy reads it.
  File "/oname=sarnex.admx" "${SARNEX_POLICY_DIR}/sarnex.admx"
  SetOutPath "$INSTDIR\en-US"
  File "/oname=sarnex.adml" "${SARNEX_POLICY_DIR}/en-US/sarnex.adml"
  SetOutPath "$INSTDIR"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\sarnexcfg.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${SARNEX_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sarnexcfg.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  ; The uninstaller ends when it is done, with its own exit code: this is the command to wait for.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  SectionGetSize ${ProgramSection} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function .onInstSuccess
  Push 1
  Call RemoveStaging
  ${Log} "Installed in $INSTDIR."
FunctionEnd

Function .onInstFailed
  Call RestoreSettings
  ${If} $staging != ""
    Push 0
    Call RemoveStaging
  ${EndIf}
FunctionEnd
