; What sarnex-setup.exe and its uninstaller share: their names and exit codes, the log, the view of the
; settings key, the reading of the command line and the wait for running programs. Both are installers
; in NSIS's sense, so that each one is the process a deployment tool waits for.
; The build passes in (makensis -D...):
;   SARNEX_TARGET     x86-unicode for the shipped installer, amd64-unicode for the 64-bit test copy
;   SARNEX_VERSION    the programs' version, MAJOR.MINOR.PATCH
;   SARNEX_ICON       the programs' icon
;   SARNEX_OUTFILE    the program to write, and SARNEX_OUTFILE_NAME its file name

Target ${SARNEX_TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be written fails the run; it is never skipped with success reported.
AllowSkipFiles off
ManifestDPIAware true

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh
!include Sections.nsh
!include x64.nsh

!define PRODUCT_NAME "Sarnex Configuration Utility"
!define PUBLISHER "Sarnex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sarnex"
!define SETTINGS_KEY "Software\Sarnex"
!define SHORTCUT "Sarnex Configuration.lnk"
!define UNINSTALLER "uninstall.exe"
!define LOG_FOLDER "$WINDIR\Logs"

!define EXIT_FAILED 2
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_SETTINGS_REFUSED 4
!define EXIT_NOT_ADMIN 740

Name "${PRODUCT_NAME}"
OutFile "${SARNEX_OUTFILE}"
BrandingText "${PRODUCT_NAME} ${SARNEX_VERSION}"

!define MUI_ICON "${SARNEX_ICON}"
!define MUI_UNICON "${SARNEX_ICON}"

; The same version resource as the programs carry, which hold no copyright text either.
!pragma warning disable 9100
!macro VERSION_RESOURCE description internalName
  VIProductVersion "${SARNEX_VERSION}.0"
  VIFileVersion "${SARNEX_VERSION}.0"
  VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=1033 "FileDescription" "${description}"
  VIAddVersionKey /LANG=1033 "FileVersion" "${SARNEX_VERSION}"
  VIAddVersionKey /LANG=1033 "InternalName" "${internalName}"
  VIAddVersionKey /LANG=1033 "OriginalFilename" "${SARNEX_OUTFILE_NAME}"
  VIAddVersionKey /LANG=1033 "ProductName" "Sarnex RAM Disk"
  VIAddVersionKey /LANG=1033 "ProductVersion" "${SARNEX_VERSION}"
!macroend

; ---- the log ---------------------------------------------------------------------------------------
; Each run writes what it did and why it stopped to its log in $WINDIR\Logs, where only administrators
; can write, replacing the last run's. UTF-16LE, as Notepad reads it.

Var logFile

!macro OPEN_LOG name
  CreateDirectory "${LOG_FOLDER}"
  ClearErrors
  FileOpen $logFile "${LOG_FOLDER}\${name}" w
  ${If} ${Errors}
    StrCpy $logFile ""
  ${Else}
    FileWriteWord $logFile 0xFEFF
  ${EndIf}
!macroend

Function Log  ; the line on the stack
  Exch $0
  DetailPrint $0
  ${If} $logFile != ""
    FileWriteUTF16LE $logFile "$0$\r$\n"
  ${EndIf}
  Pop $0
FunctionEnd
!define Log `!insertmacro LOG_LINE`
!macro LOG_LINE text
  Push `${text}`
  Call Log
!macroend

; Sets the exit code of a run that cannot go on and logs why; the caller then quits (in .onInit) or
; aborts (in a section).
!macro FAIL code reason
  ${Log} `${reason}`
  SetErrorLevel ${code}
!macroend

; The command line as Windows gave it, /D= included, into a register (R8: $R8).
!macro RAW_COMMAND_LINE var
  System::Call 'kernel32::GetCommandLineW() t .${var}'
!macroend

!macro REQUIRE_ADMIN doing
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "${doing} ${PRODUCT_NAME} needs administrator rights." /SD IDOK
    !insertmacro FAIL ${EXIT_NOT_ADMIN} "${doing} ${PRODUCT_NAME} needs administrator rights: nothing was changed."
    Quit
  ${EndIf}
!macroend

; ---- the settings key ----------------------------------------------------------------------------
; The driver, regedit and reg.exe of 64-bit Windows see the settings in the 64-bit view, which a
; 32-bit program reaches only by asking for it. 32-bit Windows has only the one view.

!macro SETTINGS_VIEW
!if ${NSIS_PTR_SIZE} > 4
  SetRegView 64
!else
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!endif
!macroend
!macro PROGRAM_VIEW
  SetRegView default
!macroend

; 1 in `var` when the settings key exists, 0 when it does not.
!macro SETTINGS_KEY_EXISTS var
  !insertmacro SETTINGS_VIEW
  ClearErrors
  EnumRegKey ${var} HKLM "${SETTINGS_KEY}" 0
  ${If} ${Errors}
    StrCpy ${var} 0
  ${Else}
    StrCpy ${var} 1
  ${EndIf}
  !insertmacro PROGRAM_VIEW
!macroend

; ---- the command line ------------------------------------------------------------------------------
; Calls OnOption with each option in $R9. Blanks outside double quotes separate options and the quotes
; themselves are dropped, so that /CONFIG="a b" and "/CONFIG=a b" (as deployment tools quote a whole
; argument) are the same option. NSIS's /D= never arrives here: its stub takes it off the command line.
Function ReadOptions
  ${GetParameters} $R0
  StrLen $R1 $R0
  StrCpy $R2 0   ; position
  StrCpy $R3 0   ; 1 within quotes
  StrCpy $R9 ""
  ${DoWhile} $R2 < $R1
    StrCpy $R4 $R0 1 $R2
    IntOp $R2 $R2 + 1
    ${If} $R4 == '"'
      IntOp $R3 1 - $R3
    ${ElseIf} $R3 == 0
    ${AndIf} $R4 == " "
      ${If} $R9 != ""
        Call OnOption
      ${EndIf}
      StrCpy $R9 ""
    ${Else}
      StrCpy $R9 "$R9$R4"
    ${EndIf}
  ${Loop}
  ${If} $R9 != ""
    Call OnOption
  ${EndIf}
FunctionEnd

; ---- running programs ----------------------------------------------------------------------------
; A running program holds its file open: it cannot be opened for writing. So that no file is left
; half-replaced or half-removed, a run waits until none of them runs from $INSTDIR; silently there is
; no one to ask, and the run ends with EXIT_PROGRAM_RUNNING, nothing changed.
Function WaitForProgramClosed  ; the program's file name on the stack
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
      !insertmacro FAIL ${EXIT_PROGRAM_RUNNING} "$1 is running from $INSTDIR: nothing was changed."
      Abort
    retry:
    ${Loop}
  ${EndIf}
  Pop $0
  Pop $1
FunctionEnd
