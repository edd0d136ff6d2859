; TarnholmSetup.exe: installs the launcher (and the game's own files, in builds that name them)
; for every player of the machine, writes the record the launcher reads and the uninstall entry.
;
; Defined by the build (makensis -D...):
;   OUT_FILE        the installer to write
;   STAGE_DIR       the staged program
;   ART_DIR         tarnholm.ico, wizard.bmp, header.bmp
;   GAME_VERSION    the game's version, the "Version" of the record ("1.0")
;   FILE_VERSION    the program's four-part file version ("1.0.0.0")
;   GAME_EXE        the game's program, relative to the install folder
;   GAME_FILES      optional: the .nsh that gamefiles.py wrote for the game's own files
;
; Silent use: TarnholmSetup.exe /S [/NoDesktopShortcut] [/D=C:\Any Folder]   (/D= last, quoted or not)
; Exit codes: 0 installed, 1 cancelled, 2 not installed (the reason is shown unless silent;
; among the reasons: the launcher or the game runs from the install folder), 740 no
; administrator rights. Uninstall.exe /S _?=<folder> ends with 2 when the launcher or the game
; runs from the folder, and removes nothing then.

Unicode true
Target amd64-unicode
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; A file that cannot be written stops the installation instead of being skipped: the record is
; written only once every file is in place.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define PRODUCT "Tarnholm"
!define COMPANY "Velmora"
!define RECORD_KEY "SOFTWARE\${COMPANY}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "${PRODUCT}.lnk"
; ERROR_ELEVATION_REQUIRED
!define EXIT_NOT_ADMIN 740

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"
; Installing again goes to the folder of the installation that is there (unless /D= says otherwise).
InstallDirRegKey HKLM "${RECORD_KEY}" "InstallDir"
BrandingText "${COMPANY} ${PRODUCT} ${GAME_VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "InternalName" "TarnholmSetup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${YEAR} ${COMPANY}. All rights reserved."
VIAddVersionKey /LANG=1033 "OriginalFilename" "TarnholmSetup.exe"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${FILE_VERSION}"

!ifdef GAME_FILES
!include "${GAME_FILES}"
!endif

; --- pages -----------------------------------------------------------------------------------

!define MUI_ICON "${ART_DIR}\tarnholm.ico"
!define MUI_UNICON "${ART_DIR}\tarnholm.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART_DIR}\wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${ART_DIR}\wizard.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${ART_DIR}\header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${ART_DIR}\header.bmp"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartLauncher
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The launcher's five languages; the first is the one used when the player's is none of them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "SpanishInternational"
!insertmacro MUI_LANGUAGE "Italian"

!include "lang\English.nsh"
!include "lang\German.nsh"
!include "lang\French.nsh"
!include "lang\Spanish.nsh"
!include "lang\Italian.nsh"

; --- checks ----------------------------------------------------------------------------------

; Stops with a message (shown unless silent; on one line in the details list) and exit code 2.
!macro StopWith message
  ${WordReplace} "${message}" "$\r$\n" " " "+*" $R9
  DetailPrint "$R9"
  MessageBox MB_OK|MB_ICONSTOP "${message}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

!macro RequireAdmin
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
!macroend

; A running program holds its files: Windows (and Wine) refuse to open them for writing or to
; delete them. Replacing or removing the files one by one would then stop halfway, with some
; files new (or gone) and others old. So before the first file is touched, each file a running
; launcher or game holds is opened for writing without sharing: a sharing violation means it
; runs from here. The player is asked to close it and retry; a silent run stops with code 2.
!macro DefineRunningCheck un
; $R1 := 1 when a running program holds the file $R0, else "".
Function ${un}HeldByRunningProgram
  StrCpy $R1 ""
  ${If} ${FileExists} "$R0"
    ; CreateFileW(path, GENERIC_WRITE, no sharing, no security, OPEN_EXISTING, normal, none)
    System::Call 'kernel32::CreateFileW(w R0, i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p .R2 ?e'
    Pop $R3
    ${If} $R2 == -1
      ${If} $R3 = 32 ; ERROR_SHARING_VIOLATION
        StrCpy $R1 1
      ${EndIf}
    ${Else}
      System::Call 'kernel32::CloseHandle(p R2)'
    ${EndIf}
  ${EndIf}
FunctionEnd

; $R1 := 1 when the launcher or the game runs from $INSTDIR (its program or a library the
; launcher loads is held), else "".
Function ${un}LauncherRunsHere
  Push $R0
  ${ForEach} $R4 0 3 + 1
    ${Select} $R4
      ${Case} 0
        StrCpy $R0 "$INSTDIR\Launcher.exe"
      ${Case} 1
        StrCpy $R0 "$INSTDIR\local.dll"
      ${Case} 2
        StrCpy $R0 "$INSTDIR\sorvane_rd.dll"
      ${Case} 3
        StrCpy $R0 "$INSTDIR\${GAME_EXE}"
    ${EndSelect}
    Call ${un}HeldByRunningProgram
    ${IfThen} $R1 == 1 ${|} ${ExitFor} ${|}
  ${Next}
  Pop $R0
FunctionEnd

; Asks until nothing runs from $INSTDIR: $R1 := 1 when the player (or a silent run) gave up.
Function ${un}WaitUntilNothingRunsHere
  ${Do}
    Call ${un}LauncherRunsHere
    ${If} $R1 != 1
      Return
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(LauncherRunning)" /SD IDCANCEL IDRETRY`
      ${WordReplace} "$(LauncherRunning)" "$\r$\n" " " "+*" $R9
      DetailPrint "$R9"
      StrCpy $R1 1
      Return
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro DefineRunningCheck ""
!insertmacro DefineRunningCheck "un."

; --- installing ------------------------------------------------------------------------------

Section "!$(SectionProgram)" SecProgram
  SectionIn RO
  Call CheckTarget
  Call WaitUntilNothingRunsHere
  ${If} $R1 == 1
    SetErrorLevel 2
    Abort
  ${EndIf}

  SetOverwrite on
  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}\Launcher.exe"
  File "${STAGE_DIR}\local.dll"
  File "${STAGE_DIR}\sorvane_rd.dll"
  File "${STAGE_DIR}\requirements.ini"
  File "${STAGE_DIR}\interpreter_local.ini"
  !macro LanguageFile folder
    SetOutPath "$INSTDIR\localization\${folder}"
    File "${STAGE_DIR}\localization\${folder}\interpreter_local.ini"
  !macroend
  !insertmacro LanguageFile EN
  !insertmacro LanguageFile DEU
  !insertmacro LanguageFile FR
  !insertmacro LanguageFile ESM
  !insertmacro LanguageFile ITA
  !ifdef GAME_FILES
    !insertmacro InstallGameFiles
  !endif

  SetOutPath "$INSTDIR"
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    !insertmacro StopWith "$(FolderNotWritable)"
  ${EndIf}
  ; The shortcut's working folder is the output folder at this point: the install folder.
  CreateShortCut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\Launcher.exe" "" "$INSTDIR\Launcher.exe" 0 SW_SHOWNORMAL \
      "" "$(ShortcutComment)"
SectionEnd

Section "$(SectionDesktop)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortCut "$DESKTOP\${SHORTCUT}" "$INSTDIR\Launcher.exe" "" "$INSTDIR\Launcher.exe" 0 SW_SHOWNORMAL \
      "" "$(ShortcutComment)"
SectionEnd

; Last, once every file is in place: the uninstall entry, then the record the launcher reads.
; Over an installed copy, the entry is written anew, so that values an older version wrote and
; this one does not are gone; there is one entry, under its one name.
Section "-Record"
  SectionGetSize ${SecProgram} $0
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ClearErrors
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${GAME_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Launcher.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKLM "${RECORD_KEY}" "Version" "${GAME_VERSION}"
  WriteRegStr HKLM "${RECORD_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${RECORD_KEY}" "Executable" "$INSTDIR\${GAME_EXE}"
  ${If} ${Errors}
    DeleteRegKey HKLM "${RECORD_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro StopWith "$(RecordFailed)"
  ${EndIf}
SectionEnd

; --- functions that name sections, so they come after them ------------------------------------

; The folder's drive must hold what is installed (checked first, so that a full drive is left
; as it was), and the folder must exist or be creatable and take a file.
Function CheckTarget
  SectionGetSize ${SecProgram} $1
  ${GetRoot} "$INSTDIR" $2
  ClearErrors
  ${DriveSpace} "$2\" "/D=F /S=K" $3
  ${IfNot} ${Errors}
  ${AndIf} $3 < $1
    IntOp $1 $1 / 1024
    IntOp $1 $1 + 1
    !insertmacro StopWith "$(DiskFull)"
  ${EndIf}

  ClearErrors
  CreateDirectory "$INSTDIR"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
    !insertmacro StopWith "$(FolderNotWritable)"
  ${EndIf}
  ClearErrors
  FileOpen $0 "$INSTDIR\~tarnholm-setup.tmp" w
  ${If} ${Errors}
    !insertmacro StopWith "$(FolderNotWritable)"
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\~tarnholm-setup.tmp"
FunctionEnd

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro RequireAdmin
  Call TakeRequestedFolder
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NoDesktopShortcut" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} 0
  ${EndIf}
FunctionEnd

; "/D=" names the folder, as the rest of the command line. NSIS itself ignores it when the line
; quotes it (as programs that start us with an argument list do for a path with spaces) and
; when the path is not usable (a file in its way, a missing drive): then it would install into
; the default folder instead. The folder the player asked for is the one used; when it cannot
; be written, the installation stops with a message.
Function TakeRequestedFolder
  System::Call 'kernel32::GetCommandLineW() w .r0'
  StrLen $1 $0
  StrCpy $2 0
  ${DoWhile} $2 < $1
    StrCpy $3 $0 3 $2
    ${If} $2 > 0
      IntOp $4 $2 - 1
      StrCpy $4 $0 1 $4
    ${Else}
      StrCpy $4 ""
    ${EndIf}
    ${If} $4 == " "
    ${OrIf} $4 == '"'
      StrCmpS $3 "/D=" 0 next
      IntOp $2 $2 + 3
      StrCpy $5 $0 "" $2
      ; The closing quote of a quoted option, trailing blanks, and a trailing backslash but
      ; that of a drive's root: the record's paths are joined with one.
      ${Do}
        StrCpy $6 $5 1 -1
        StrLen $7 $5
        ${If} $6 == '"'
        ${OrIf} $6 == " "
          StrCpy $5 $5 -1
        ${ElseIf} $6 == "\"
        ${AndIf} $7 > 3
          StrCpy $5 $5 -1
        ${Else}
          ${Break}
        ${EndIf}
      ${Loop}
      ${If} $5 != ""
        StrCpy $INSTDIR $5
      ${EndIf}
      Return
    ${EndIf}
    next:
    IntOp $2 $2 + 1
  ${Loop}
FunctionEnd

Function StartLauncher
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Launcher.exe"'
FunctionEnd

; --- uninstalling ----------------------------------------------------------------------------

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro RequireAdmin
  Call un.WaitUntilNothingRunsHere
  ${If} $R1 == 1
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; Removes what was installed and nothing else: the players' settings (per user) stay, and so
; does any file someone else put into the folder, with the folder then.
Section "Uninstall"
  ; Asked at the start already; the launcher may have been started since.
  Call un.WaitUntilNothingRunsHere
  ${If} $R1 == 1
    SetErrorLevel 2
    Abort
  ${EndIf}

  ; The shortcuts and the record belong to the last installation: after the game was installed
  ; again into another folder, they are that one's, which still works, and stay.
  ReadRegStr $R0 HKLM "${RECORD_KEY}" "InstallDir"
  ${If} $R0 == ""
  ${OrIf} $R0 == $INSTDIR
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    DeleteRegKey HKLM "${RECORD_KEY}"
  ${EndIf}

  Delete "$INSTDIR\Launcher.exe"
  Delete "$INSTDIR\local.dll"
  Delete "$INSTDIR\sorvane_rd.dll"
  Delete "$INSTDIR\requirements.ini"
  Delete "$INSTDIR\interpreter_local.ini"
  !macro RemoveLanguageFile folder
    Delete "$INSTDIR\localization\${folder}\interpreter_local.ini"
    RMDir "$INSTDIR\localization\${folder}"
  !macroend
  !insertmacro RemoveLanguageFile EN
  !insertmacro RemoveLanguageFile DEU
  !insertmacro RemoveLanguageFile FR
  !insertmacro RemoveLanguageFile ESM
  !insertmacro RemoveLanguageFile ITA
  RMDir "$INSTDIR\localization"
  !ifdef GAME_FILES
    !insertmacro UninstallGameFiles
  !endif
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The maker's folder goes too when this was the last of its games in it.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} "$0" $1
  ${If} $1 == "${COMPANY}"
    RMDir "$0"
  ${EndIf}

  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == ""
  ${OrIf} $R0 == $INSTDIR
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
  DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
SectionEnd
