; uninstall.exe: removes what sarnex-setup.exe installed in the folder it stands in, and ends when that
; is done, with its own exit code, so that "uninstall.exe /S" is the command a deployment tool waits for.
; (An uninstaller in NSIS's sense starts a copy of itself and ends at once.) /PURGE removes the RAM
; disk's settings too.
;
; Its own file cannot go while it runs. So it ends by starting a small remover, an uninstaller in NSIS's
; sense, which runs from NSIS's copy in a folder only administrators can write, waits for this program
; to end, then takes away its file and the empty folder.
;
; Exit codes: 0 removed; 1 cancelled by the user; 2 failed or refused (a bad option); 3 a Sarnex program
; is running from the folder, nothing changed; 740 not an administrator. Each run's log:
; $WINDIR\Logs\sarnex-uninstall.log.

!addincludedir "${__FILEDIR__}"
!include "sarnex.nsh"

!insertmacro VERSION_RESOURCE "${PRODUCT_NAME} Uninstall" "uninstall"
Caption "${PRODUCT_NAME} Uninstall"
InstallButtonText "&Uninstall"
SilentUnInstall silent

!define REMOVER "uninstall-end.exe"

!define MUI_COMPONENTSPAGE_NODESC
!define MUI_PAGE_HEADER_TEXT "Uninstall ${PRODUCT_NAME}"
!define MUI_PAGE_HEADER_SUBTEXT "Remove ${PRODUCT_NAME} from this computer."
!define MUI_COMPONENTSPAGE_TEXT_TOP "The programs, their shortcut and the Group Policy template are removed. The driver still reads the RAM disk settings: they stay unless you tick them."
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST "Select what to remove:"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_HEADER_TEXT "Uninstalling"
!define MUI_PAGE_HEADER_SUBTEXT "Please wait while ${PRODUCT_NAME} is removed."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Uninstall Complete"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "${PRODUCT_NAME} was removed."
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Uninstall Failed"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "The log says why."
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "${PRODUCT_NAME}" ProgramSection
  SectionIn RO
  Call WaitForProgramsClosed
  ClearErrors
  Delete "$INSTDIR\sarnexcfg.exe"
  Delete "$INSTDIR\sarnexctl.exe"
  Delete "$INSTDIR\sarnex.admx"
  Delete "$INSTDIR\en-US\sarnex.adml"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${SHORTCUT}"
  ${If} ${Errors}
    !insertmacro FAIL ${EXIT_FAILED} "Not every file of $INSTDIR could be removed; the uninstall entry stays."
    Abort
  ${EndIf}
  ; Only when empty: files of the administrator's own stay where they are.
  RMDir "$INSTDIR\en-US"
SectionEnd

; The driver still reads its settings after this program is gone: they stay unless asked for.
Section /o "Also remove the RAM disk settings" SettingsSection
  !insertmacro SETTINGS_KEY_EXISTS $0
  ${If} $0 == 1
    !insertmacro SETTINGS_VIEW
    ClearErrors
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    !insertmacro PROGRAM_VIEW
    ${If} ${Errors}
      !insertmacro FAIL ${EXIT_FAILED} "The RAM disk settings could not be removed; the uninstall entry stays."
      Abort
    ${EndIf}
    ${Log} "The RAM disk settings were removed."
  ${EndIf}
SectionEnd

Section "-Unregister"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Right before this program ends (after the user closes its window, when there is one): the remover.
Function .onInstSuccess
  ClearErrors
  WriteUninstaller "$INSTDIR\${REMOVER}"
  Exec '"$INSTDIR\${REMOVER}" /S'
  ${If} ${Errors}
    !insertmacro FAIL ${EXIT_FAILED} "Removed from $INSTDIR, but $INSTDIR\${UNINSTALLER} could not be set to go once it has ended."
  ${Else}
    ${Log} "Removed from $INSTDIR; ${UNINSTALLER} and the folder go once this program has ended."
  ${EndIf}
FunctionEnd

Var optionProblem

; One option in $R9; NSIS itself takes /S exactly so and /NCRC.
Function OnOption
  ${If} $R9 == "/PURGE"
    !insertmacro SelectSection ${SettingsSection}
  ${ElseIf} $R9 S!= "/S"
  ${AndIf} $R9 S!= "/NCRC"
  ${AndIf} $optionProblem == ""
    StrCpy $optionProblem "$R9 is not an option of this uninstaller (/S, /PURGE)."
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro OPEN_LOG "sarnex-uninstall.log"
  !insertmacro RAW_COMMAND_LINE R8
  ${Log} "${PRODUCT_NAME} ${SARNEX_VERSION} uninstall: $R8"
  !insertmacro REQUIRE_ADMIN "Uninstalling"
  StrCpy $INSTDIR $EXEDIR
  Call ReadOptions
  ${If} $optionProblem != ""
    MessageBox MB_OK|MB_ICONSTOP "$optionProblem" /SD IDOK
    !insertmacro FAIL ${EXIT_FAILED} "$optionProblem Nothing was changed."
    Quit
  ${EndIf}
FunctionEnd

Function WaitForProgramsClosed
  Push sarnexcfg.exe
  Call WaitForProgramClosed
  Push sarnexctl.exe
  Call WaitForProgramClosed
FunctionEnd

; ---- the remover ---------------------------------------------------------------------------------
; Waits, five minutes at most, until a file can go: one whose program still runs cannot.
!macro REMOVE_WHEN_FREE file
  ${For} $0 1 3000
    Delete "${file}"
    ${If} ${FileExists} "${file}"
      Sleep 100
    ${Else}
      ${ExitFor}
    ${EndIf}
  ${Next}
!macroend

Section "un.Remove the uninstaller"
  !insertmacro REMOVE_WHEN_FREE "$INSTDIR\${UNINSTALLER}"
  !insertmacro REMOVE_WHEN_FREE "$INSTDIR\${REMOVER}"
  RMDir "$INSTDIR"
SectionEnd
