; The suite's installer for 64-bit Windows. With administrator rights it
; installs for every account under Program Files, without them for this
; account alone under %LOCALAPPDATA%\Programs; /CurrentUser asks for the
; latter either way, and /S installs silently.
;   makensis -DVERSION=1.0 -DSTAGE=<installed tree> -DOUTFILE=<setup.exe> kinetra.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; Large enough that the second copy of each DLL (beside the model) costs nothing.
SetCompressorDictSize 64
RequestExecutionLevel highest

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kinetra"

Name "Kinetra"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kinetra"
ShowInstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1027 "ProductName" "Kinetra"
VIAddVersionKey /LANG=1027 "FileDescription" "Instal·lador de Kinetra"
VIAddVersionKey /LANG=1027 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1027 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1027 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${__FILEDIR__}/kinetra.ico"
!define MUI_UNICON "${__FILEDIR__}/kinetra.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kinetra.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Catalan"

Function .onInit
  SetRegView 64
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CurrentUser" $1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  UserInfo::GetAccountType
  Pop $1
  ${If} $1 == "Admin"
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\Kinetra"
  ${EndIf}
FunctionEnd

Section "Kinetra"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The programs find Arxius_models in the folder they start in.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Kinetra.lnk" "$INSTDIR\Kinetra.exe" "" "$INSTDIR\Kinetra.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Kinetra"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Kinetra"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kinetra.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Installed for every account when the machine-wide entry names this folder.
Function un.onInit
  SetRegView 64
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; Only what the installer put here goes. The pupils' own files live in each
; account's Documents\Kinetra and are kept.
Section "Uninstall"
  Delete "$SMPROGRAMS\Kinetra.lnk"
  RMDir /r "$INSTDIR\Arxius_models"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\styles"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\Kinetra.exe"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\qtbase_ca.qm"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
