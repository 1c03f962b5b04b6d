; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: the release tree into a folder of the player's
; choosing, a Start-menu shortcut that starts the game in game/ (it reads its
; files relative to there), an uninstaller, and a silent mode (/S).
; makensis -DVERSION=... -DRELEASE=<release tree> -DOUTFILE=<setup.exe>
Unicode true
; Debian's makensis defaults to 32-bit stubs, which a 64-bit-only system
; (or Wine without 32-bit support) silently cannot run.
Target amd64-unicode
Name "Drifthaul ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Drifthaul"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drifthaul"

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${RELEASE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Drifthaul"
    SetOutPath "$INSTDIR\game"
    CreateShortcut "$SMPROGRAMS\Drifthaul\Drifthaul.lnk" "$INSTDIR\game\drifthaul.exe"
    CreateShortcut "$SMPROGRAMS\Drifthaul\Uninstall Drifthaul.lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Drifthaul"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
SectionEnd

; Only what the installer put there, so a folder the player chose keeps the rest.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Drifthaul\Drifthaul.lnk"
    Delete "$SMPROGRAMS\Drifthaul\Uninstall Drifthaul.lnk"
    RMDir "$SMPROGRAMS\Drifthaul"
    RMDir /r "$INSTDIR\game"
    RMDir /r "$INSTDIR\models"
    RMDir /r "$INSTDIR\textures"
    RMDir /r "$INSTDIR\sounds"
    RMDir /r "$INSTDIR\fonts"
    RMDir /r "$INSTDIR\licenses"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
