; Kalvor's installer for one user, without administrator rights: the program in the user's own
; programs folder (where it may write its data files beside itself), a Start-menu entry and an
; uninstaller listed under Apps. The uninstaller keeps the user's data files unless asked to remove them.
; (UTF-8)  makensis -INPUTCHARSET UTF8 -DSOURCE=FOLDER -DOUTFILE=kalvor-setup.exe -DICON=kalvor.ico kalvor.nsi
; FOLDER holds kalvor.exe, README.txt and PT-Sans-License.txt. /S installs and uninstalls silently.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"

!define PRODUCT "Kalvor"
!define VERSION "1.0.0"
!define PUBLISHER "Dremil"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvor"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kalvor"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "1.0.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kalvor.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The program's six languages; the system's own language is taken where it is one of them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Portuguese"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Italian"

LangString DataPart ${LANG_ENGLISH} "My data: settings, marks, favourite colours, bitmaps"
LangString DataPart ${LANG_SPANISH} "Mis datos: configuración, marcas, colores favoritos, bitmaps"
LangString DataPart ${LANG_PORTUGUESE} "Os meus dados: configuração, marcas, cores favoritas, bitmaps"
LangString DataPart ${LANG_FRENCH} "Mes données : réglages, marques, couleurs favorites, bitmaps"
LangString DataPart ${LANG_GERMAN} "Meine Daten: Einstellungen, Markierungen, Lieblingsfarben, Bitmaps"
LangString DataPart ${LANG_ITALIAN} "I miei dati: impostazioni, segni, colori preferiti, bitmap"

Section "-Program"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${SOURCE}\kalvor.exe"
  File "${SOURCE}\README.txt"
  File "${SOURCE}\PT-Sans-License.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Started from the Start menu, Kalvor works in its own folder: a bitmap named without a folder lands
  ; there too.
  CreateShortCut "$SMPROGRAMS\Kalvor.lnk" "$INSTDIR\kalvor.exe" "" "$INSTDIR\kalvor.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kalvor.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" 1024
SectionEnd

; The program, its shortcut and its entry under Apps always go.
Section "-un.Program"
  SetShellVarContext current
  Delete "$INSTDIR\kalvor.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\PT-Sans-License.txt"
  Delete "$INSTDIR\.kalvor-*.tmp"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Kalvor.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; The user's files only when ticked: silent uninstalls keep them.
Section /o "un.$(DataPart)" DataSection
  Delete "$INSTDIR\settings.log"
  Delete "$INSTDIR\mark.log"
  Delete "$INSTDIR\Mis Colores.log"
  Delete "$INSTDIR\*.bmp"
SectionEnd

; The folder goes once empty: kept data files keep it.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd
