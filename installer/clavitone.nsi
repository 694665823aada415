; Clavitone's installer. CMake builds it after the program folder is complete:
;
;   makensis -DDIST=<program folder> -DGENERATED=<folder of the generated .nsh files>
;            -DOUTFILE=<setup.exe> -DVERSION=<x.y> -DICON=<clavitone.ico> [-DWIN64] clavitone.nsi
;
; GENERATED holds settings.nsh (make_settings.py) and files.nsh (make_file_lists.py).
; With WIN64 the same script makes a 64-bit installer of the 64-bit build.

Unicode true
!ifdef WIN64
  Target amd64-unicode
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "x64.nsh"

!define APP "Clavitone"
!define SETTINGS_KEY "Software\Clavitone"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Clavitone"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
; The preferences window lives as long as the program does.
!define WINDOW_CLASS "ClavitonePreferences"

Name "${APP}"
BrandingText "${APP} ${VERSION}"
OutFile "${OUTFILE}"
; Program Files and the Add/Remove Programs entry need it.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!ifdef WIN64
  InstallDir "$PROGRAMFILES64\${APP}"
!else
  InstallDir "$PROGRAMFILES\${APP}"
!endif
; An upgrade goes where the last install went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "FileDescription" "${APP} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Clavitone developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The installer runs elevated, and a Clavitone started from it would too:
; see StartAsDesktopUser.
!define MUI_FINISHPAGE_RUN ""
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsDesktopUser
!define MUI_FINISHPAGE_RUN_TEXT "Start Clavitone now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Clavitone Help.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${GENERATED}/files.nsh"
!include "${__FILEDIR__}/remove_tree.nsh"
!insertmacro RemoveTreeKeepingLinksFunction "un."

; A value of the user's "Settings" is written only when absent: on an upgrade
; the user's schemes and choices stay as they are.
!macro ClavitoneSetting NAME TEXT
  ClearErrors
  ReadRegStr $0 HKCU "${SETTINGS_KEY}\Settings" "${NAME}"
  ${If} ${Errors}
    WriteRegStr HKCU "${SETTINGS_KEY}\Settings" "${NAME}" "${TEXT}"
  ${EndIf}
!macroend

; The interface texts belong to the installed version.
!macro ClavitoneText NAME TEXT
  WriteRegStr HKCU "${SETTINGS_KEY}\Language" "${NAME}" "${TEXT}"
!macroend

; Files in use cannot be replaced or removed: a running Clavitone is asked to
; end (as its Exit Program entry does) and given a few seconds to do so.
!macro CloseRunningClavitone
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=3000
    StrCpy $1 0
    ${DoWhile} $1 < 50
      Sleep 100
      FindWindow $0 "${WINDOW_CLASS}"
      ${IfThen} $0 = 0 ${|} ${Break} ${|}
      IntOp $1 $1 + 1
    ${Loop}
    ; The window goes a moment before the process lets go of its files.
    Sleep 300
  ${EndIf}
!macroend

!macro UseProgramRegistryView
  !ifdef WIN64
    ${IfNot} ${RunningX64}
      MessageBox MB_ICONSTOP "This is the 64-bit ${APP}; it needs 64-bit Windows." /SD IDOK
      Abort
    ${EndIf}
    ; The 64-bit program reads and writes the 64-bit registry.
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro UseProgramRegistryView
FunctionEnd

Function un.onInit
  !insertmacro UseProgramRegistryView
FunctionEnd

; $0 = the program's Run command as the program writes it: the program file
; without ".exe", in quotes when the path holds a blank.
Function RunCommand
  StrCpy $0 "$INSTDIR\Clavitone"
  StrCpy $1 0
  ${Do}
    StrCpy $2 $0 1 $1
    ${If} $2 == ""
      Return
    ${ElseIf} $2 == " "
      StrCpy $0 '"$0"'
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd

; "Start Clavitone now" hands the program to the desktop's shell, which runs
; it as the logged-on user without elevation: explorer.exe started with a
; file passes it to the shell that is already running and ends. Started with
; the installer's rights, Clavitone would write the machine-wide Run value,
; hold an instance mutex the user's own later starts cannot open, and miss
; the shell's broadcast when Explorer restarts.
Function StartAsDesktopUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Clavitone.exe"'
FunctionEnd

Section "Clavitone"
  !insertmacro CloseRunningClavitone
  SetOutPath "$INSTDIR"
  !insertmacro ClavitoneFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"

  !include "${GENERATED}/settings.nsh"

  ; The start-with-Windows box of a new user shows ticked: make it true, the
  ; way the program itself writes the value. A user who unticked it keeps that.
  ; The value is the installing user's own: a machine-wide one would start
  ; Clavitone for every user, and the program, running without elevation,
  ; could not empty it when the box is unticked.
  ReadRegStr $0 HKCU "${SETTINGS_KEY}\Settings" "chkLaunch"
  ${If} $0 == ""
  ${OrIf} $0 == "1"
    Call RunCommand
    WriteRegStr HKCU "${RUN_KEY}" "${APP}" $0
  ${EndIf}

  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Clavitone.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Clavitone developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Clavitone.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  !insertmacro CloseRunningClavitone
  !insertmacro ClavitoneRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  ; Only if empty: files of the user's own stay, and so does their folder.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "${APP}"
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION \
    "Also remove your Clavitone settings, sound schemes and imported sound packs?" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    ; The sounds of imported packs belong to those schemes: they go with them.
    SetShellVarContext current
    Push "$APPDATA\Clavitone\Packs"
    Call un.RemoveTreeKeepingLinks
    RMDir "$APPDATA\Clavitone"
  keep_settings:
SectionEnd
