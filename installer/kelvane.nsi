; Kelvane's setup program. makensis builds both setups from this one script (installer/CMakeLists.txt
; passes the defines below):
;   ARCH=x86  the 32-bit setup of the i686 product, which loads on Windows XP;
;   ARCH=x64  the 64-bit setup of the x86_64 build.
; Other defines: SOURCE_DIR (the repository), KELVANE_EXE and DRESLIN_EXE (the built programs),
; PAYLOAD (payload.nsh: the files of RESOURCES with their sizes and SHA-1 digests, as install and
; removal lines), OUTDIR (where the setup program is written); VERSION_TEXT, optional, gives the
; version instead of apps/kelvane/version.h (the tests build an older setup with it).
;
; Kelvane writes its logs, reports and pictures into its own folder (Logs, BMPs), so it is installed
; per user, in a folder its user can write without administrator rights, and nothing here asks for
; elevation. Command line: /S silent, /D=FOLDER the target folder (last, unquoted), /NOSTART leaves
; out "Start Kelvane when Windows starts". The uninstaller takes /S and keeps the user's logs,
; pictures and settings then.
;
; Exit codes (README, "On Windows"): 0 done, 1 cancelled by the user, 2 another setup runs or the
; /D= path cannot be a folder, 3 a running Kelvane could not be closed, 4 the folder cannot be
; written, 5 a file could not be written during the installation (what was replaced is put back),
; 6 the folder holds other files and no Kelvane, 7 Kelvane is installed in another folder. Only
; after 5 was anything touched, and it is put back.
;
; What is Kelvane's: setup keeps a record (Uninstall.ini beside Uninstall.exe) of each shipped file
; it wrote, with its size and SHA-1 digest, and of whether it made the folder. A file that no longer matches its record is the user's:
; an upgrade keeps it and writes the new one beside it as <name>.new; the uninstaller leaves it.

Unicode true
!if ${ARCH} == x64
  Target amd64-unicode
!else if ${ARCH} == x86
  Target x86-unicode
!else
  !error "ARCH must be x86 or x64"
!endif

; The version, from the header that Kelvane.exe's version resource reads.
!ifdef VERSION_TEXT
  !searchparse "${VERSION_TEXT}" "" VERSION_MAJOR "." VERSION_MINOR "." VERSION_PATCH
  !define VERSION "${VERSION_TEXT}"
!else
  !searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_TEXT "` VERSION `"`
  !searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_MAJOR ` VERSION_MAJOR
  !searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_MINOR ` VERSION_MINOR
  !searchparse /file "${SOURCE_DIR}/apps/kelvane/version.h" `#define KELVANE_VERSION_PATCH ` VERSION_PATCH
!endif
!if "${VERSION}" != "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}"
  !error "version.h: KELVANE_VERSION_TEXT ${VERSION} is not its numbers joined by dots"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include TextFunc.nsh
!include WinMessages.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Kelvane's stored settings: the key that Dreslin removes, with everything under it, and the
; publisher's key above it.
!define SETTINGS_KEY "Software\VB and VBA Program Settings\Marrowby\Kelvane"
!define PUBLISHER_KEY "Software\VB and VBA Program Settings\Marrowby"
!define START_MENU "$SMPROGRAMS\Kelvane"
; Held by a running Kelvane (apps/kelvane/main.cpp).
!define KELVANE_MUTEX "Marrowby.Kelvane.SingleInstance"
; Kelvane's hidden application window: its own class and its title (src/base/application_window.h).
!define KELVANE_WINDOW_CLASS "KelvaneApplication"
!define KELVANE_WINDOW_TITLE "Kelvane"
; Held by a running setup program or uninstaller: one at a time.
!define SETUP_MUTEX "Marrowby.Kelvane.Setup"
; The record of the files setup wrote, beside Uninstall.exe.
!define RECORD "Uninstall.ini"
; A file that an installation replaces waits under this suffix until the installation is through.
!define SET_ASIDE ".kelvane-old"
!define SYNCHRONIZE 0x00100000
!define MUTEX_MODIFY_STATE 0x0001
!define ERROR_ACCESS_DENIED 5
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
  If Kelvane is running, Setup closes it first. Your settings, logs and pictures are kept, and so \
  is every installed file you changed.$\r$\n$\r$\n\
  Click Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_COMPONENTSPAGE_TEXT_TOP "Choose how Kelvane is installed."
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "Kelvane keeps its logs and pictures in its own folder, so it \
  must be a folder you can write to, new or empty. Setup installs Kelvane for you alone, in the \
  folder below.$\r$\n$\r$\nTo install it elsewhere, click Browse and choose another folder."
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipDirectoryPageOnUpgrade
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
  start with Windows are removed; installed files you changed stay. Your logs, pictures and \
  settings stay unless you tick them."
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

; Whether Kelvane runs: it holds its mutex for as long as it runs, window or not (while it starts,
; for one). A mutex that exists but may not be opened (a Kelvane run with other rights) counts.
; Sets $0 to 1 or 0. The access asked for is what a Kelvane of the same rights grants anyway;
; MUTEX_MODIFY_STATE beside SYNCHRONIZE because Wine grants SYNCHRONIZE to anyone, so that a
; mutex this user may not use reads as denied there too.
!define /math MUTEX_PROBE_ACCESS ${SYNCHRONIZE} | ${MUTEX_MODIFY_STATE}
!macro KelvaneRuns
  System::Call 'kernel32::OpenMutex(i ${MUTEX_PROBE_ACCESS}, i 0, t "${KELVANE_MUTEX}") p .r0 ?e'
  Pop $1
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $0 1
  ${ElseIf} $1 = ${ERROR_ACCESS_DENIED}
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
!macroend

; Closes a running Kelvane as Dreslin does: a close request to its hidden application window (its
; own class and its title, so that an Explorer window or a message box titled "Kelvane" is left
; alone), which shuts it down in order (it saves its settings once more), then a wait for its
; process to end, so that its files are free. When it stays, the user may close it and try again;
; Cancel (and a silent run) ends with exit code 3 and nothing changed. Sets $ClosedKelvane to 1
; when it closed one.
!macro CloseRunningKelvane UN
Function ${UN}CloseRunningKelvane
  Push $0
  Push $1
  Push $2
  retry:
  FindWindow $0 "${KELVANE_WINDOW_CLASS}" "${KELVANE_WINDOW_TITLE}"
  ${If} $0 <> 0
    DetailPrint "Closing the running Kelvane..."
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=15000
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 20000) i'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    StrCpy $ClosedKelvane 1
  ${EndIf}
  !insertmacro KelvaneRuns
  ${If} $0 = 1
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

; The size and SHA-1 digest of a file, as "SIZE HEX" (the form installer/CMakeLists.txt writes for
; the shipped files): push the path, call, pop the digest; "" when the file cannot be read.
!macro FileDigest UN
Function ${UN}FileDigest
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  Push $7
  Push $8
  StrCpy $8 ""
  ClearErrors
  FileOpen $1 $0 r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $2
    FileSeek $1 0 SET
    ; PROV_RSA_FULL, CRYPT_VERIFYCONTEXT; CALG_SHA1. All of it is there on Windows XP.
    System::Call 'advapi32::CryptAcquireContextW(*p .r3, p 0, p 0, i 1, i 0xF0000000) i .r4'
    ${If} $4 <> 0
      System::Call 'advapi32::CryptCreateHash(p r3, i 0x8004, p 0, i 0, *p .r5) i .r4'
      ${If} $4 <> 0
        System::Alloc 65536
        Pop $6
        ${Do}
          System::Call 'kernel32::ReadFile(p r1, p r6, i 65536, *i .r7, p 0) i .r4'
          ${If} $4 = 0
          ${OrIf} $7 = 0
            ${ExitDo}
          ${EndIf}
          System::Call 'advapi32::CryptHashData(p r5, p r6, i r7, i 0) i .r4'
          ${If} $4 = 0
            ${ExitDo}
          ${EndIf}
        ${Loop}
        ${If} $4 <> 0
          ; HP_HASHVAL: the 20 bytes of the digest, written out as hex.
          System::Call 'advapi32::CryptGetHashParam(p r5, i 2, p r6, *i 20, i 0) i .r4'
          ${If} $4 <> 0
            StrCpy $8 "$2 "
            StrCpy $7 0
            ${Do}
              IntPtrOp $4 $6 + $7
              System::Call '*$4(&i1 .r4)'
              IntOp $4 $4 & 0xFF
              IntFmt $4 "%02x" $4
              StrCpy $8 "$8$4"
              IntOp $7 $7 + 1
            ${LoopUntil} $7 = 20
          ${EndIf}
        ${EndIf}
        System::Free $6
        System::Call 'advapi32::CryptDestroyHash(p r5)'
      ${EndIf}
      System::Call 'advapi32::CryptReleaseContext(p r3, i 0)'
    ${EndIf}
    FileClose $1
  ${EndIf}
  StrCpy $0 $8
  Pop $8
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend

; The folder that the uninstall entry names, when a Kelvane is installed there ("" when none is).
!macro InstalledFolder UN
Function ${UN}InstalledFolder
  Push $0
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIfNot} ${FileExists} "$0\Kelvane.exe"
    StrCpy $0 ""
  ${EndIf}
  Exch $0
FunctionEnd
!macroend

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

Var ClosedKelvane
!insertmacro CloseRunningKelvane ""
!insertmacro CloseRunningKelvane "un."
!insertmacro FileDigest ""
!insertmacro FileDigest "un."
!insertmacro InstalledFolder ""
!insertmacro RemoveOwnRunValue ""
!insertmacro RemoveOwnRunValue "un."

; ---- the setup program --------------------------------------------------------------------------

; Where Kelvane is installed already ("" when nowhere).
Var Installed
; 1 while setup writes files: a failure then puts back what it replaced.
Var Writing
; The list of what setup wrote in this run, one line each: "+PATH" a new file, "~PATH" a file
; whose old content waits at PATH${SET_ASIDE}.
Var Journal
; Whether the folder held nothing before this installation.
Var FreshInstall
; Whether this run made the folder.
Var MadeFolder
Var FailedFile

; The record of the files installed by this run, built in $PLUGINSDIR and put beside Uninstall.exe
; once everything is written.
!define NEW_RECORD "$PLUGINSDIR\record.ini"

; Which name a shipped file goes to: push its path in the folder and its "SIZE HEX", call, pop the
; path to write ("" to write nothing). The file there is replaced only while it is absent or still
; matches the record of what setup installed; a changed file is the user's and is kept, and the
; shipped one goes beside it as <name>.new, under the same rule. A file that already is the
; shipped one is only recorded.
Function ChooseTarget
  Exch $1  ; SIZE HEX
  Exch
  Exch $0  ; path in the folder
  Push $2
  Push $3
  Push $4
  StrCpy $4 0
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\$0"
      ${ExitDo}
    ${EndIf}
    Push "$INSTDIR\$0"
    Call FileDigest
    Pop $2
    ${If} $2 == $1
      WriteINIStr "${NEW_RECORD}" Files $0 $1
      StrCpy $0 ""
      ${ExitDo}
    ${EndIf}
    ReadINIStr $3 "$INSTDIR\${RECORD}" Files $0
    ${If} $3 != ""
    ${AndIf} $2 == $3
      ${ExitDo}
    ${EndIf}
    ${If} $4 = 1
      DetailPrint "Kept $0: it is yours."
      StrCpy $0 ""
      ${ExitDo}
    ${EndIf}
    DetailPrint "Kept $0, which you changed; the new one is $0.new"
    StrCpy $0 "$0.new"
    StrCpy $4 1
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Exch
  Pop $1
  Exch $0
FunctionEnd

; Before a file is written: an existing one is set aside (renamed) so that a failure can put it
; back, and the journal says what was done. A file that cannot be set aside (another program holds
; it) ends the installation here.
Function SetAside
  Exch $0
  ${If} ${FileExists} $0
    ClearErrors
    Rename $0 "$0${SET_ASIDE}"
    ${If} ${Errors}
      StrCpy $FailedFile $0
      DetailPrint "Cannot replace $0"
      Pop $0
      Abort
    ${EndIf}
    FileWriteUTF16LE $Journal "~$0$\r$\n"
  ${Else}
    FileWriteUTF16LE $Journal "+$0$\r$\n"
  ${EndIf}
  Pop $0
FunctionEnd

; Goes through the journal: ROLLBACK 1 puts every set-aside file back and removes the new ones,
; 0 deletes the set-aside files once the installation is through. Files that could not be put
; back are listed in $FailedFile.
!macro WalkJournal ROLLBACK
  FileClose $Journal
  ClearErrors
  FileOpen $Journal "$PLUGINSDIR\journal.txt" r
  ${IfNot} ${Errors}
    ${Do}
      ClearErrors
      FileReadUTF16LE $Journal $0
      ${If} ${Errors}
        ${ExitDo}
      ${EndIf}
      StrCpy $1 $0 1
      StrCpy $0 $0 "" 1
      ${TrimNewLines} $0 $0
      ${If} ${ROLLBACK} = 1
        Delete $0
        ${If} $1 == "~"
          ClearErrors
          Rename "$0${SET_ASIDE}" $0
          ${If} ${Errors}
            StrCpy $FailedFile "$FailedFile$\r$\n$0 (its old content is $0${SET_ASIDE})"
          ${EndIf}
        ${EndIf}
      ${ElseIf} $1 == "~"
        Delete "$0${SET_ASIDE}"
      ${EndIf}
    ${Loop}
    FileClose $Journal
  ${EndIf}
!macroend

!include "${PAYLOAD}"

; One shipped file, from InstallShippedFiles (payload.nsh).
!macro InstallShipped FOLDER FILE SOURCE DIGEST
  Push "${FILE}"
  Push "${DIGEST}"
  Call ChooseTarget
  Pop $R0
  ${If} $R0 != ""
    CreateDirectory "$INSTDIR\${FOLDER}"
    Push "$INSTDIR\$R0"
    Call SetAside
    StrCpy $FailedFile "$INSTDIR\$R0"
    File "/oname=$INSTDIR\$R0" "${SOURCE}"
    WriteINIStr "${NEW_RECORD}" Files $R0 "${DIGEST}"
  ${EndIf}
!macroend

; A program file: always this version's.
!macro InstallProgram NAME SOURCE
  Push "$INSTDIR\${NAME}"
  Call SetAside
  StrCpy $FailedFile "$INSTDIR\${NAME}"
  File "/oname=$INSTDIR\${NAME}" "${SOURCE}"
!macroend

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

; A folder that holds anything and no Kelvane.exe is someone else's (Documents, a folder typed by
; mistake): Kelvane's loose files would mix with the user's, and its uninstaller would act in it.
; Tells the user and sets the error flag then.
Function CheckFolderIsKelvanes
  Push $0
  Push $1
  StrCpy $FreshInstall 1
  ${If} ${FileExists} "$INSTDIR\Kelvane.exe"
    StrCpy $FreshInstall 0
  ${Else}
    ClearErrors
    FindFirst $0 $1 "$INSTDIR\*.*"
    ${DoUntil} ${Errors}
      ${If} $1 != "."
      ${AndIf} $1 != ".."
        StrCpy $FreshInstall 0
        ${ExitDo}
      ${EndIf}
      FindNext $0 $1
    ${Loop}
    FindClose $0
    ${If} $FreshInstall = 0
      MessageBox MB_OK|MB_ICONSTOP "The folder$\r$\n$INSTDIR$\r$\nalready holds other files, \
        and no Kelvane.$\r$\n$\r$\nKelvane needs a folder of its own: choose a new or empty \
        folder." /SD IDOK
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${If} $FreshInstall = 0
  ${AndIfNot} ${FileExists} "$INSTDIR\Kelvane.exe"
    SetErrors
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

Function SkipDirectoryPageOnUpgrade
  ${If} $Installed != ""
    Abort  ; the installed folder it is
  ${EndIf}
FunctionEnd

Function LeaveDirectoryPage
  Call CheckFolderIsKelvanes
  ${If} ${Errors}
    Abort  ; stays on the page
  ${EndIf}
  Call CheckTargetFolder
  ${If} ${Errors}
    Abort
  ${EndIf}
FunctionEnd

Section "Kelvane (required)" SecProgram
  SectionIn RO
  ; A silent run has no directory page: the same checks, before anything is written (the
  ; folder's owner first: the write test writes a file of its own into the folder).
  Call CheckFolderIsKelvanes
  ${If} ${Errors}
    DetailPrint "$INSTDIR holds other files and no Kelvane: nothing installed."
    SetErrorLevel 6
    Abort
  ${EndIf}
  Call CheckTargetFolder
  ${If} ${Errors}
    DetailPrint "Cannot write to $INSTDIR: nothing installed."
    SetErrorLevel 4
    Abort
  ${EndIf}
  Call CloseRunningKelvane

  InitPluginsDir
  ; Whether the folder is setup's own: made by this run, or recorded so by an earlier one. Only
  ; then may the uninstaller remove it (when it is left empty).
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $MadeFolder 1
    WriteINIStr "${NEW_RECORD}" Setup MadeFolder 1
  ${Else}
    ReadINIStr $0 "$INSTDIR\${RECORD}" Setup MadeFolder
    ${If} $0 = 1
      WriteINIStr "${NEW_RECORD}" Setup MadeFolder 1
    ${EndIf}
  ${EndIf}
  FileOpen $Journal "$PLUGINSDIR\journal.txt" w
  StrCpy $Writing 1
  SetOutPath $INSTDIR
  !insertmacro InstallProgram Kelvane.exe "${KELVANE_EXE}"
  !insertmacro InstallProgram Dreslin.exe "${DRESLIN_EXE}"
  !insertmacro InstallShippedFiles
  SetOutPath $INSTDIR
  Push "$INSTDIR\Uninstall.exe"
  Call SetAside
  StrCpy $FailedFile "$INSTDIR\Uninstall.exe"
  ClearErrors
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${If} ${Errors}
    Abort
  ${EndIf}
  StrCpy $FailedFile "$INSTDIR\${RECORD}"
  FlushINI "${NEW_RECORD}"
  Push "$INSTDIR\${RECORD}"
  Call SetAside
  ClearErrors
  CopyFiles /SILENT "${NEW_RECORD}" "$INSTDIR\${RECORD}"
  ${If} ${Errors}
    Abort
  ${EndIf}
  StrCpy $Writing 0
  !insertmacro WalkJournal 0

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
  ; _?= runs the uninstaller in place, so the caller gets its exit code; without it the
  ; uninstaller starts a copy of itself and ends at once with 0.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The Run value is written only where there is none or it names this folder: another copy's stays.
Section "Start Kelvane when Windows starts" SecStartup
  ReadRegStr $0 HKCU "${RUN_KEY}" "Kelvane"
  ${If} $0 == ""
  ${OrIf} $0 == '"$INSTDIR\Kelvane.exe"'
    WriteRegStr HKCU "${RUN_KEY}" "Kelvane" '"$INSTDIR\Kelvane.exe"'
  ${Else}
    DetailPrint "Kelvane already starts with Windows from $0: left as it is."
  ${EndIf}
SectionEnd

Section "-Leave the start with Windows out"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    Call RemoveOwnRunValue
  ${EndIf}
SectionEnd

; A silent upgrade that closed Kelvane starts it again (the finish page offers it otherwise).
Section "-Start Kelvane again"
  ${If} ${Silent}
  ${AndIf} $ClosedKelvane = 1
    SetOutPath $INSTDIR
    Exec '"$INSTDIR\Kelvane.exe"'
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
  ; One Kelvane per user: a second copy elsewhere would take the first one's uninstall entry,
  ; Start menu entries and start with Windows.
  Call InstalledFolder
  Pop $Installed
  ${If} $Installed != ""
  ${AndIf} $Installed != $INSTDIR
    MessageBox MB_OK|MB_ICONSTOP "Kelvane is installed in$\r$\n$Installed$\r$\n$\r$\nSetup \
      upgrades it there. To install it in$\r$\n$INSTDIR$\r$\ninstead, uninstall it first." /SD IDOK
    SetErrorLevel 7
    Quit
  ${EndIf}
  ; An upgrade keeps the user's choice about starting with Windows.
  ${If} $Installed != ""
    ReadRegStr $0 HKCU "${RUN_KEY}" "Kelvane"
    ${If} $0 != '"$INSTDIR\Kelvane.exe"'
      !insertmacro UnselectSection ${SecStartup}
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
FunctionEnd

; A failure while files were written: everything this run replaced is put back and what it added
; is removed, so the folder is as it was (a file that cannot be put back is named).
Function .onInstFailed
  ${If} $Writing = 1
    StrCpy $2 $FailedFile
    StrCpy $FailedFile ""
    !insertmacro WalkJournal 1
    !insertmacro RemoveShippedFolders
    ${If} $MadeFolder = 1
      RMDir $INSTDIR  ; only when nothing is left in it
    ${EndIf}
    SetErrorLevel 5
    ${If} $FailedFile == ""
      MessageBox MB_OK|MB_ICONSTOP "Setup could not write$\r$\n$2$\r$\n$\r$\nEverything it had \
        replaced is put back: the folder is as it was before." /SD IDOK
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "Setup could not write$\r$\n$2$\r$\n$\r$\nIt put back what it \
        had replaced, except:$FailedFile" /SD IDOK
    ${EndIf}
  ${EndIf}
FunctionEnd

; ---- the uninstaller ----------------------------------------------------------------------------

; Whether the uninstall entry (and with it the Start menu entries) belongs to this folder.
Var UnOwnsEntry

; A shipped file is removed only while it matches what setup recorded for it (or what this version
; ships): a changed file is the user's.
Function un.RemoveIfOurs
  Exch $1  ; SIZE HEX shipped
  Exch
  Exch $0  ; path in the folder
  Push $2
  Push $3
  ${If} ${FileExists} "$INSTDIR\$0"
    Push "$INSTDIR\$0"
    Call un.FileDigest
    Pop $2
    ReadINIStr $3 "$INSTDIR\${RECORD}" Files $0
    ${If} $2 != ""
      ${If} $2 == $1
      ${OrIf} $2 == $3
        Delete "$INSTDIR\$0"
      ${Else}
        DetailPrint "Kept $0: you changed it."
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $0
  Pop $1
FunctionEnd

!macro RemoveShipped FILE DIGEST
  Push "${FILE}"
  Push "${DIGEST}"
  Call un.RemoveIfOurs
  Push "${FILE}.new"
  Push "${DIGEST}"
  Call un.RemoveIfOurs
!macroend

Section "un.Kelvane's program files" UnSecProgram
  SectionIn RO
  Call un.CloseRunningKelvane
  Delete "$INSTDIR\Kelvane.exe"
  Delete "$INSTDIR\Dreslin.exe"
  !insertmacro RemoveShippedFiles
  !insertmacro RemoveShippedFolders
  ${If} $UnOwnsEntry = 1
    Delete "${START_MENU}\Kelvane.lnk"
    Delete "${START_MENU}\Kelvane Help.lnk"
    Delete "${START_MENU}\Remove Kelvane settings.lnk"
    Delete "${START_MENU}\Uninstall Kelvane.lnk"
    RMDir "${START_MENU}"
  ${EndIf}
  Call un.RemoveOwnRunValue
SectionEnd

; Only the names Kelvane gives its logs, reports, pictures and history; the folders go only when
; nothing else is left in them. A history file of someone else's that Kelvane set aside
; (history.dat.foreign...) is not Kelvane's to delete.
Section /o "un.Also remove logs and pictures" UnSecData
  Delete "$INSTDIR\Logs\log.txt"
  Delete "$INSTDIR\Logs\log.htm"
  Delete "$INSTDIR\Logs\hla_*.htm"
  Delete "$INSTDIR\Logs\Kelvane-????-??-??.csv"
  Delete "$INSTDIR\Logs\history.dat"
  Delete "$INSTDIR\Logs\history.dat.new"
  Delete "$INSTDIR\BMPs\hl_*.bmp"
  Delete "$INSTDIR\BMPs\db_*.bmp"
  RMDir "$INSTDIR\Logs"
  RMDir "$INSTDIR\BMPs"
SectionEnd

Section /o "un.Also remove Kelvane's settings" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${PUBLISHER_KEY}"
SectionEnd

; Last: the entry in the list of installed programs goes once everything else has.
Section "-un.Entry"
  ; A folder the user chose, empty, stays; the one setup made goes when nothing is left in it.
  ReadINIStr $0 "$INSTDIR\${RECORD}" Setup MadeFolder
  Delete "$INSTDIR\${RECORD}"
  ; Run in place (_?=), the uninstaller cannot delete itself: it and its folder stay.
  Delete "$INSTDIR\Uninstall.exe"
  ${If} $0 = 1
    RMDir $INSTDIR
  ${EndIf}
  ${If} $UnOwnsEntry = 1
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecProgram} "Kelvane.exe, Dreslin.exe, the pictures, sounds \
    and help page Setup installed (not those you changed), the Start menu entries and the start \
    with Windows."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecData} "Kelvane's logs, High/Low reports and saved \
    dashboard pictures in the Logs and BMPs folders; other files there stay."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Everything Kelvane stored in the registry, \
    as Dreslin (Remove Kelvane settings) removes it."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  !insertmacro OneAtATime "Kelvane Setup or its uninstaller is already running.$\r$\nFinish it (or \
    close it) first."
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $UnOwnsEntry 0
  ${If} $0 == $INSTDIR
    StrCpy $UnOwnsEntry 1
  ${EndIf}
FunctionEnd
