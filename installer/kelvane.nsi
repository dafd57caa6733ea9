; Kelvane's setup program. makensis builds both setups from this one script (installer/CMakeLists.txt
; passes the defines below):
;   ARCH=x86  the 32-bit setup of the i686 product, which loads on Windows XP;
;   ARCH=x64  the 64-bit setup of the x86_64 build.
; Other defines: SOURCE_DIR (the repository), KELVANE_EXE and DRESLIN_EXE (the built programs),
; PAYLOAD (payload.nsh: the files of resources/ as install and removal lines), OUTDIR (where the
; setup program is written).
;
; Kelvane writes its logs, reports and pictures into its own folder (Logs, BMPs), so it is installed
; per user, in a folder its user can write without administrator rights, and nothing here asks for
; elevation. Command line: /S silent, /D=FOLDER the target folder (last, unquoted), /NOSTART leaves
; out "Start Kelvane when Windows starts". The uninstaller takes /S and keeps the user's logs,
; pictures and settings then. Exit codes: 0 done, 1 cancelled by the user, 2 another setup runs or
; the /D= path cannot be a folder, 3 a running Kelvane could not be closed, 4 the folder cannot be
; written; in none of these cases is anything changed.

Unicode true
!if ${ARCH} == x64
  Target amd64-unicode
!else if ${ARCH} == x86
  Target x86-unicode
!else
  !error "ARCH must be x86 or x64"
!endif

; The version, from the header that Kelvane.exe's version resource reads.
!searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_TEXT "` VERSION `"`
!searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_MAJOR ` VERSION_MAJOR
!searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_MINOR ` VERSION_MINOR
!searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_PATCH ` VERSION_PATCH
!if "${VERSION}" != "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}"
  !error "version.h: KELVANE_VERSION_TEXT ${VERSION} is not its numbers joined by dots"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Kelvane's stored settings: the key that Dreslin removes, with everything under it.
!define SETTINGS_KEY "Software\VB and VBA Program Settings\Marrowby\Kelvane"
!define START_MENU "$SMPROGRAMS\Kelvane"
; Held by a running Kelvane (apps/kelvane/main.cpp).
!define KELVANE_MUTEX "Marrowby.Kelvane.SingleInstance"
; Held by a running setup program or uninstaller: one at a time.
!define SETUP_MUTEX "Marrowby.Kelvane.Setup"
!define SYNCHRONIZE 0x00100000
!define ERROR_ALREADY_EXISTS 183

Name "Kelvane ${VERSION}"
OutFile "${OUTDIR}/Kelvane-${VERSION}-setup-${ARCH}.exe"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Kelvane"
; An upgrade goes where the installed Kelvane is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
; A file that cannot be written ends the installation; it is never skipped.
AllowSkipFiles off
ShowInstDetails show
ShowUninstDetails show
BrandingText "Kelvane ${VERSION}"

!if ${ARCH} == x64
  !define BITS "64-bit"
!else
  !define BITS "32-bit"
!endif

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}.0"
VIFileVersion "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}.0"

; ---- pages --------------------------------------------------------------------------------------

!define MUI_ICON "${SOURCE_DIR}/apps/kelvane/kelvane.ico"
!define MUI_UNICON "${SOURCE_DIR}/apps/kelvane/kelvane.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!define MUI_WELCOMEPAGE_TEXT "Setup will install Kelvane ${VERSION} (${BITS}), the tray add-on for \
  Asus PC Probe, in a folder of your own: no administrator rights are needed.$\r$\n$\r$\n\
  If Kelvane is running, Setup closes it first. Your settings, logs and pictures are kept.$\r$\n$\r$\n\
  Click Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_COMPONENTSPAGE_TEXT_TOP "Choose how Kelvane is installed."
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "Kelvane keeps its logs and pictures in its own folder, so it \
  must be a folder you can write to. Setup installs Kelvane for you alone, in the folder below.$\r$\n$\r$\n\
  To install it elsewhere, click Browse and choose another folder."
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveDirectoryPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kelvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Kelvane now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Kelvane_HELP.htm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the help page"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "Kelvane's program files, its Start menu entries and its \
  start with Windows are removed. Your logs, pictures and settings stay unless you tick them."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The programs' own version resources carry no copyright text either.
!pragma warning disable 9100
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Kelvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Marrowby"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Kelvane ${VERSION} Setup (${BITS})"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "Kelvane-${VERSION}-setup-${ARCH}.exe"

!include "${PAYLOAD}"

; ---- shared by the setup program and the uninstaller ---------------------------------------------

; Ends the program when another setup program or uninstaller of Kelvane runs.
!macro OneAtATime TEXT
  System::Call 'kernel32::CreateMutex(p 0, i 0, t "${SETUP_MUTEX}") p .r0 ?e'
  Pop $1
  ${If} $1 = ${ERROR_ALREADY_EXISTS}
    MessageBox MB_OK|MB_ICONEXCLAMATION "${TEXT}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

; Closes a running Kelvane as Dreslin does: a close request to its hidden application window
; titled "Kelvane", which shuts it down in order (it saves its settings once more), then a wait
; for its process to end, so that its files are free. When it stays, the user may close it and
; try again; Cancel (and a silent run) ends with nothing changed.
!macro CloseRunningKelvane UN
Function ${UN}CloseRunningKelvane
  Push $0
  Push $1
  Push $2
  retry:
  FindWindow $0 "" "Kelvane"
  ${If} $0 <> 0
    DetailPrint "Closing the running Kelvane..."
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=15000
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 20000) i'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
  ; Kelvane holds its mutex for as long as it runs, window or not (while it starts, for one).
  System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${KELVANE_MUTEX}") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Kelvane is still running and could not be \
      closed.$\r$\n$\r$\nEnd it (its tray menu: Exit Kelvane), then click Retry. Cancel stops \
      here; nothing has been changed." /SD IDCANCEL IDRETRY retry
    DetailPrint "Kelvane is still running: stopped, nothing changed."
    SetErrorLevel 3
    Pop $2
    Pop $1
    Pop $0
    Abort
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CloseRunningKelvane ""
!insertmacro CloseRunningKelvane "un."

; Removes the Run value when it starts this folder's Kelvane.exe; a value that names another copy
; is not ours to remove.
!macro RemoveOwnRunValue UN
Function ${UN}RemoveOwnRunValue
  Push $0
  ReadRegStr $0 HKCU "${RUN_KEY}" "Kelvane"
  ${If} $0 == '"$INSTDIR\Kelvane.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "Kelvane"
  ${EndIf}
  Pop $0
FunctionEnd
!macroend
!insertmacro RemoveOwnRunValue ""
!insertmacro RemoveOwnRunValue "un."

; The program files, without the user's Logs and BMPs.
!macro RemoveProgramFiles
  Delete "$INSTDIR\Kelvane.exe"
  Delete "$INSTDIR\Dreslin.exe"
  !insertmacro RemoveShippedFiles
!macroend

; ---- the setup program --------------------------------------------------------------------------

Var FreshInstall

; Whether $INSTDIR can be created and written; on failure tells the user (a silent run only sets the
; exit code) and leaves the error flag set. Folders made for the test are removed again.
Function CheckTargetFolder
  Push $0
  Push $1
  Push $2
  Push $3
  ; The deepest folder on the way that exists already: the test removes only what it made.
  StrCpy $1 $INSTDIR
  ${DoUntil} ${FileExists} "$1\*.*"
    ${GetParent} $1 $2
    ${If} $2 == ""
    ${OrIf} $2 == $1
      ${ExitDo}
    ${EndIf}
    StrCpy $1 $2
  ${Loop}
  ; (Testing the error flag clears it: one test per step.)
  StrCpy $3 0
  ClearErrors
  CreateDirectory $INSTDIR
  IfErrors tested
  FileOpen $0 "$INSTDIR\kelvane-setup-write-test.tmp" w
  IfErrors tested
  FileClose $0
  Delete "$INSTDIR\kelvane-setup-write-test.tmp"
  StrCpy $3 1
  tested:
  ; Back to what was there.
  StrCpy $2 $INSTDIR
  ${Do}
    ${If} $2 == $1
    ${OrIf} $2 == ""
      ${ExitDo}
    ${EndIf}
    RMDir $2
    ${GetParent} $2 $2
  ${Loop}
  ${If} $3 = 0
    MessageBox MB_OK|MB_ICONSTOP "Setup cannot write to the folder$\r$\n$INSTDIR$\r$\n$\r$\n\
      Kelvane writes its logs and pictures into its own folder, so it needs a folder you can \
      write to without administrator rights. Choose another folder." /SD IDOK
  ${EndIf}
  ClearErrors
  ${If} $3 = 0
    SetErrors
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

Function LeaveDirectoryPage
  Call CheckTargetFolder
  ${If} ${Errors}
    Abort  ; stays on the page
  ${EndIf}
FunctionEnd

Section "Kelvane (required)" SecProgram
  SectionIn RO
  ; A silent run has no directory page: the same check, before anything is written.
  Call CheckTargetFolder
  ${If} ${Errors}
    DetailPrint "Cannot write to $INSTDIR: nothing installed."
    SetErrorLevel 4
    Abort
  ${EndIf}
  Call CloseRunningKelvane
  ${If} ${FileExists} "$INSTDIR\Kelvane.exe"
    StrCpy $FreshInstall 0
  ${Else}
    StrCpy $FreshInstall 1
  ${EndIf}

  SetOutPath $INSTDIR
  File "/oname=Kelvane.exe" "${KELVANE_EXE}"
  File "/oname=Dreslin.exe" "${DRESLIN_EXE}"
  !insertmacro InstallShippedFiles
  SetOutPath $INSTDIR
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\Kelvane.lnk" "$INSTDIR\Kelvane.exe"
  CreateShortcut "${START_MENU}\Kelvane Help.lnk" "$INSTDIR\Kelvane_HELP.htm"
  CreateShortcut "${START_MENU}\Remove Kelvane settings.lnk" "$INSTDIR\Dreslin.exe"
  CreateShortcut "${START_MENU}\Uninstall Kelvane.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kelvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Marrowby"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kelvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start Kelvane when Windows starts" SecStartup
  WriteRegStr HKCU "${RUN_KEY}" "Kelvane" '"$INSTDIR\Kelvane.exe"'
SectionEnd

Section "-Leave the start with Windows out"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    Call RemoveOwnRunValue
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Kelvane.exe with its pictures, sounds and help \
    page, Dreslin (removes Kelvane's settings) and the Start menu entries."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Kelvane starts in the tray whenever you log on \
    to Windows."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; A folder given with /D= that cannot be one (a file stands on its way, its drive is missing) makes
; the setup program fall back on the installed or default folder without a word; installing there
; instead is not what the user asked for.
Function RefuseUnusableFolder
  System::Call 'kernel32::GetCommandLine() t .r0'
  StrLen $1 $0
  ${Do}
    IntOp $1 $1 - 1
    ${If} $1 < 0
      Return  ; no /D=
    ${EndIf}
    StrCpy $2 $0 4 $1
  ${LoopUntil} $2 S== " /D="
  IntOp $1 $1 + 4
  StrCpy $2 $0 "" $1
  ; The setup program drops a closing backslash too.
  ${If} $2 != $INSTDIR
  ${AndIf} $2 != "$INSTDIR\"
    MessageBox MB_OK|MB_ICONSTOP "Setup cannot install Kelvane in$\r$\n$2$\r$\n$\r$\nThat \
      path cannot be a folder: a file stands in its way, or its drive is missing." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro OneAtATime "Kelvane Setup is already running.$\r$\nFinish it (or close it) first."
  Call RefuseUnusableFolder
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
FunctionEnd

; A fresh installation that failed half-way takes its files away again; an upgrade keeps what it
; replaced so far, which the next run completes.
Function .onInstFailed
  ${If} $FreshInstall = 1
    !insertmacro RemoveProgramFiles
    Delete "$INSTDIR\Uninstall.exe"
    RMDir $INSTDIR
  ${EndIf}
FunctionEnd

; ---- the uninstaller ----------------------------------------------------------------------------

Section "un.Kelvane's program files" UnSecProgram
  SectionIn RO
  Call un.CloseRunningKelvane
  !insertmacro RemoveProgramFiles
  Delete "${START_MENU}\Kelvane.lnk"
  Delete "${START_MENU}\Kelvane Help.lnk"
  Delete "${START_MENU}\Remove Kelvane settings.lnk"
  Delete "${START_MENU}\Uninstall Kelvane.lnk"
  RMDir "${START_MENU}"
  Call un.RemoveOwnRunValue
SectionEnd

Section /o "un.Also remove logs and pictures" UnSecData
  RMDir /r "$INSTDIR\Logs"
  RMDir /r "$INSTDIR\BMPs"
SectionEnd

Section /o "un.Also remove Kelvane's settings" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

; Last: the entry in the list of installed programs goes once everything else has.
Section "-un.Entry"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir $INSTDIR  ; only when nothing of the user's is left in it
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecProgram} "Kelvane.exe, Dreslin.exe, the pictures, sounds \
    and help page Setup installed, the Start menu entries and the start with Windows."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecData} "The Logs and BMPs folders: Kelvane's logs, \
    High/Low reports and saved dashboard pictures."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Everything Kelvane stored in the registry, \
    as Dreslin (Remove Kelvane settings) removes it."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  !insertmacro OneAtATime "Kelvane Setup or its uninstaller is already running.$\r$\nFinish it (or \
    close it) first."
FunctionEnd
