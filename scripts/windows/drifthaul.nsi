; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: the release tree into a folder of the player's
; choosing, a Start-menu shortcut that starts the game in game/ (it reads its
; files relative to there), an uninstaller, and a silent mode (/S).
; makensis -DVERSION=... -DRELEASE=<release tree> -DOUTFILE=<setup.exe>
;          -DFILES=<files.nsh> -DICON=<drifthaul.ico> -DSIZE_KB=<size>
; FILES, written by scripts/build-windows.sh from the release tree, holds
; two macros: InstallFiles (each file, one by one) and RemoveFiles (the same
; files, then their folders deepest first, each only if it is empty).
Unicode true
; Debian's makensis defaults to 32-bit stubs, which a 64-bit-only system
; (or Wine without 32-bit support) silently cannot run.
Target amd64-unicode
!include "LogicLib.nsh"
!include "${FILES}"
Name "Drifthaul ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Drifthaul"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
DirText "Setup will install Drifthaul in the folder below. A folder that already holds other files gets a Drifthaul folder of its own inside it, so that nothing there is overwritten; an earlier Drifthaul is replaced."

Page directory "" "" ownFolder
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drifthaul"

; Keeps $INSTDIR if it is missing, empty or holds an earlier Drifthaul;
; otherwise moves it into a Drifthaul folder inside (again, if need be).
Function ownFolder
    ${Do}
        ${If} ${FileExists} "$INSTDIR\game\drifthaul.exe"
            Return
        ${EndIf}
        FindFirst $0 $1 "$INSTDIR\*"
        ${DoWhile} $1 != ""
            ${If} $1 != "."
            ${AndIf} $1 != ".."
                ${ExitDo}
            ${EndIf}
            FindNext $0 $1
        ${Loop}
        FindClose $0
        ${If} $1 == ""
            Return
        ${EndIf}
        StrCpy $INSTDIR "$INSTDIR\Drifthaul"
    ${Loop}
FunctionEnd

Section
    SetShellVarContext all
    ; A silent install sees no directory page.
    Call ownFolder
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Drifthaul"
    SetOutPath "$INSTDIR\game"
    CreateShortcut "$SMPROGRAMS\Drifthaul\Drifthaul.lnk" "$INSTDIR\game\drifthaul.exe"
    CreateShortcut "$SMPROGRAMS\Drifthaul\Uninstall Drifthaul.lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Drifthaul"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Drifthaul developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\game\drifthaul.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
SectionEnd

; Windows will not let a running program's file be opened for writing: while
; the game runs, nothing is removed (else the game and its DLLs would stay
; behind with no uninstaller). A silent uninstall fails with code 2.
Function un.onInit
    ${DoWhile} ${FileExists} "$INSTDIR\game\drifthaul.exe"
        ClearErrors
        FileOpen $0 "$INSTDIR\game\drifthaul.exe" a
        ${IfNot} ${Errors}
            FileClose $0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Drifthaul is running. Close the game, then choose Retry; Cancel leaves Drifthaul installed." \
            /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
        retry:
    ${Loop}
FunctionEnd

; Only what the installer put there: a player's own files, and the folders
; that hold them, stay.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Drifthaul\Drifthaul.lnk"
    Delete "$SMPROGRAMS\Drifthaul\Uninstall Drifthaul.lnk"
    RMDir "$SMPROGRAMS\Drifthaul"
    !insertmacro RemoveFiles
    ; Run in place (_?=), the uninstaller cannot remove itself until a restart.
    Delete /REBOOTOK "$INSTDIR\uninstall.exe"
    RMDir /REBOOTOK "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
