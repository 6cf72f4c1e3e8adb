; The installer of Tavlora, made by scripts/package.sh from a folder of programs (STAGE).
; It installs for the current user without administrator rights: a program folder under
; the user's local application data, a Start menu entry and HKCU keys only. The player's
; settings (config.ini, config.dat) live in %LOCALAPPDATA%\Tavlora, the hub's own folder,
; which the installer never touches: uninstalling keeps them.
;   makensis -DSTAGE=<folder> -DOUTDIR=<folder> -DFILES=<list> tavlora.nsi
; FILES holds a `Delete "$INSTDIR\<name>"` line for each installed file.
; A 64-bit installer, as Tavlora.exe is a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

; The version is the one in Tavlora.exe's version resource (project(VERSION) in CMake).
!getdllversion "${STAGE}/Tavlora.exe" VERSION_
!define VERSION "${VERSION_1}.${VERSION_2}.${VERSION_3}.${VERSION_4}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlora"
!define SETTINGS_KEY "Software\Tavlora"

Name "Tavlora ${VERSION}"
OutFile "${OUTDIR}/Tavlora-${VERSION}-setup.exe"
InstallDir "$LOCALAPPDATA\Programs\Tavlora"
; A newer version goes into the folder of the installation before it.
InstallDirRegKey HKCU "${SETTINGS_KEY}" "InstallDir"
BrandingText "Tavlora ${VERSION}"

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_FINISHPAGE_RUN "$INSTDIR\Tavlora.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The hub's four languages; the installer follows the user's.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Polish"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tavlora"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Tavlora"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Tavlora"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tavlora ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

; A running hub holds its files open; the player closes it first.
!macro RefuseWhileRunning
    FindWindow $0 "KXLobby0"
    StrCmp $0 0 +3
        MessageBox MB_OK|MB_ICONEXCLAMATION "Tavlora is running. Please close it and try again." /SD IDOK
        Abort
!macroend

Function .onInit
    !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
    !insertmacro RefuseWhileRunning
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File /x Tavlora.debug "${STAGE}/*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Tavlora.lnk" "$INSTDIR\Tavlora.exe"

    WriteRegStr HKCU "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tavlora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tavlora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavlora.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only the files the installer put there go, so a folder the player chose keeps whatever
; else it holds. The folder goes last: once it is gone, the uninstaller is done.
Section "Uninstall"
    Delete "$SMPROGRAMS\Tavlora.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    !include "${FILES}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
