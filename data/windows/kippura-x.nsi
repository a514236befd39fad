; The Windows installer of kippura-x, made by Debian's makensis in the windows build
; (cmake/windows_packages.cmake): for the current user only, with no administrator rights, into
; %LOCALAPPDATA%\Programs\kippura-x; a Start menu entry; recordings (*.kxr) opened by the game with
; --input; an uninstaller listed under the installed apps with the version, the icon and the size.
; 64-bit throughout, as the game is. REPLAY is the whole game's replay that the README shows with
; --input.
;   makensis -DVERSION=1.20.0 -DEXE=... -DREADME=... -DLICENSE=... -DREPLAY=... -DICON=... -DOUTFILE=... kippura-x.nsi
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; The installer holds no file times (the installed files get the time of installing): two builds of
; the same sources, at different times, make the same bytes.
SetDateSave off

!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kippura-x"
!define PUBLISHER "the kippura-x team"
; Recordings' file type, in the current user's classes (HKCU, as the whole installation is): .kxr
; names the ProgID, which gives the type's name, icon and the command that replays a recording.
!define CLASSES "Software\Classes"
!define PROGID "kippura-x.recording"
!define OPEN_COMMAND '"$INSTDIR\kippura-x.exe" --input "%1"'

Name "kippura-x ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\kippura-x"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "kippura-x ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "kippura-x"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "kippura-x ${VERSION} installer"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT License"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=kippura-x.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  File "/oname=whole-game-replay.kxr" "${REPLAY}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\kippura-x.lnk" "$INSTDIR\kippura-x.exe" "" "$INSTDIR\kippura-x.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "kippura-x"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kippura-x.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The size the installed apps list shows, in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "kippura-x recording"
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "FriendlyTypeName" "kippura-x recording"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\kippura-x.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr HKCU "${CLASSES}\.kxr" "" "${PROGID}"
  WriteRegStr HKCU "${CLASSES}\.kxr\OpenWithProgids" "${PROGID}" ""
  ; Explorer reads the associations again (SHCNE_ASSOCCHANGED).
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Only what the installer put there: a folder the player chose is never emptied wholesale.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\kippura-x.lnk"
  Delete "$INSTDIR\kippura-x.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\whole-game-replay.kxr"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The file type goes only while it is still this installation's: another program may have taken
  ; .kxr since, or another copy of the game its ProgID. The .kxr key goes when nothing else is left
  ; in it (other programs' entries under "Open with" stay).
  ReadRegStr $0 HKCU "${CLASSES}\${PROGID}\shell\open\command" ""
  StrCmp $0 '${OPEN_COMMAND}' 0 file_type_done
    DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    ReadRegStr $0 HKCU "${CLASSES}\.kxr" ""
    StrCmp $0 "${PROGID}" 0 +2
      DeleteRegValue HKCU "${CLASSES}\.kxr" ""
    DeleteRegValue HKCU "${CLASSES}\.kxr\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\.kxr\OpenWithProgids"
    DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\.kxr"
  file_type_done:
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
