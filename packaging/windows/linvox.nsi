; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of Linvox, for one user and without administrator rights: puts linvox.exe
; into the user's programs folder, makes it the user's handler of tel:, callto:, sip: and skype:
; links (and offers it under those links in Windows' "Default apps"), adds a Start menu entry and
; an uninstaller that takes all of it away again but the user's settings. On Windows 10 and 11 its
; last page offers to open "Default apps", where the user confirms Linvox as the links' handler.
; Both speak the language Linvox does: Ukrainian, English or Russian, after the user's interface
; languages.
;
; makensis -DVERSION=<x.y.z> -DPROGRAM=<linvox.exe> -DICON=<linvox.ico> -DLICENSE=<LICENSE>
;          -DOUTFILE=<linvox-setup-x.y.z.exe> linvox.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"

!define PRODUCT "Linvox"
!define CAPABILITIES_KEY "Software\Linvox\Capabilities"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Linvox"
; The links' own type, which "Default apps" offers Linvox under.
!define LINK_TYPE "Linvox.Link"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\linvox.exe"
; The offer of "Default apps" stands in for the finish page's "Show Readme". A silent install
; shows no pages, so it neither asks nor opens anything.
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OPEN_DEFAULT_APPS)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenDefaultApps
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OfferDefaultApps
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Ukrainian"
!insertmacro MUI_LANGUAGE "English"

; Linvox as the Start menu and "Default apps" describe it, and the name of its links' type.
LangString DESCRIPTION ${LANG_RUSSIAN} \
    "Звонки по ссылкам tel:, callto:, sip: и skype: через подключённый телефон"
LangString DESCRIPTION ${LANG_UKRAINIAN} \
    "Дзвінки за посиланнями tel:, callto:, sip: і skype: через під’єднаний телефон"
LangString DESCRIPTION ${LANG_ENGLISH} \
    "Dials tel:, callto:, sip: and skype: links through the attached phone"
LangString LINK_TYPE_NAME ${LANG_RUSSIAN} "Ссылка Linvox"
LangString LINK_TYPE_NAME ${LANG_UKRAINIAN} "Посилання Linvox"
LangString LINK_TYPE_NAME ${LANG_ENGLISH} "Linvox link"

; The finish page on Windows 10 and 11, with the offer of "Default apps" under Windows' own name
; for it in each language.
LangString FINISH_TEXT_WITH_DEFAULT_APPS ${LANG_RUSSIAN} \
    "Установка Linvox выполнена.$\r$\n$\r$\nПри следующей ссылке tel: Windows спросит, открывать \
    ли телефонные ссылки в Linvox; выбрать его можно и сейчас, в «Приложениях по умолчанию»."
LangString FINISH_TEXT_WITH_DEFAULT_APPS ${LANG_UKRAINIAN} \
    "Linvox встановлено на ваш комп’ютер.$\r$\n$\r$\nКоли ви наступного разу натиснете посилання \
    tel:, Windows запитає, чи відкривати телефонні посилання в Linvox; вибрати його можна й \
    зараз, у «Програмах за замовчуванням»."
LangString FINISH_TEXT_WITH_DEFAULT_APPS ${LANG_ENGLISH} \
    "Linvox has been installed on your computer.$\r$\n$\r$\nWindows asks at the next tel: link \
    whether Linvox should open phone links; you can also choose it now, in Default apps."
LangString OPEN_DEFAULT_APPS ${LANG_RUSSIAN} "&Открыть «Приложения по умолчанию»"
LangString OPEN_DEFAULT_APPS ${LANG_UKRAINIAN} "&Відкрити «Програми за замовчуванням»"
LangString OPEN_DEFAULT_APPS ${LANG_ENGLISH} "&Open Default apps"

; Sets $LANGUAGE as Linvox chooses its own: the first of Ukrainian, English and Russian among the
; user's preferred interface languages, else Russian. NSIS by itself would look at the first
; preferred language alone.
!define LANGUAGES_AS_IDS 0x4
!define PRIMARY_LANGUAGE_MASK 0x3FF
!define /math UKRAINIAN_PRIMARY ${LANG_UKRAINIAN} & ${PRIMARY_LANGUAGE_MASK}
!define /math ENGLISH_PRIMARY ${LANG_ENGLISH} & ${PRIMARY_LANGUAGE_MASK}
!define /math RUSSIAN_PRIMARY ${LANG_RUSSIAN} & ${PRIMARY_LANGUAGE_MASK}
!macro ChooseLanguage
    StrCpy $LANGUAGE ${LANG_RUSSIAN}
    System::Alloc 1024
    Pop $0
    ; Each language as four hexadecimal digits and a NUL, the preferred first.
    System::Call 'kernel32::GetUserPreferredUILanguages(i ${LANGUAGES_AS_IDS}, *i .r1, p r0, \
        *i 512) i .r2'
    ${If} $2 <> 0
        StrCpy $3 $0
        ${For} $4 1 $1
            System::Call '*$3(&w5 .r5)'
            IntOp $5 0x$5 & ${PRIMARY_LANGUAGE_MASK}
            ${If} $5 = ${UKRAINIAN_PRIMARY}
                StrCpy $LANGUAGE ${LANG_UKRAINIAN}
                ${Break}
            ${ElseIf} $5 = ${ENGLISH_PRIMARY}
                StrCpy $LANGUAGE ${LANG_ENGLISH}
                ${Break}
            ${ElseIf} $5 = ${RUSSIAN_PRIMARY}
                ${Break}
            ${EndIf}
            IntOp $3 $3 + 10
        ${Next}
    ${EndIf}
    System::Free $0
!macroend

Function .onInit
    !insertmacro ChooseLanguage
FunctionEnd

Function un.onInit
    !insertmacro ChooseLanguage
FunctionEnd

; Since Windows 8 no program may make itself the default handler of a link type: the user
; confirms it. Windows 10 and 11 let the user do so in Settings, "Default apps"; older Windows has
; no such page, and the finish page keeps its usual words there.
!define WINDOWS_10_BUILD 10240
Function OfferDefaultApps
    ${If} ${AtLeastBuild} ${WINDOWS_10_BUILD}
        SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:$(FINISH_TEXT_WITH_DEFAULT_APPS)"
    ${Else}
        ${NSD_Uncheck} $mui.FinishPage.ShowReadme
        ShowWindow $mui.FinishPage.ShowReadme ${SW_HIDE}
    ${EndIf}
FunctionEnd

; Windows 11 opens an application's own page of "Default apps" since the updates of April 2023
; (builds 22000.1817 and 22621.1555) and in all later versions (from build 22631 on); older
; builds open "Default apps" itself, where the user finds Linvox in the list.
Function OpenDefaultApps
    ${WinVerGetBuild} $0
    ReadRegDWORD $1 HKLM "Software\Microsoft\Windows NT\CurrentVersion" "UBR"
    StrCpy $2 "ms-settings:defaultapps"
    ${If} $0 >= 22631
        StrCpy $2 "$2?registeredAppUser=${PRODUCT}"
    ${ElseIf} $0 >= 22621
        ${If} $1 >= 1555
            StrCpy $2 "$2?registeredAppUser=${PRODUCT}"
        ${EndIf}
    ${ElseIf} $0 >= 22000
        ${If} $1 >= 1817
            StrCpy $2 "$2?registeredAppUser=${PRODUCT}"
        ${EndIf}
    ${EndIf}
    ExecShell "open" "$2"
FunctionEnd

; The command that a link starts: %1 unquoted, as Linvox refuses a link wrapped in quotation marks.
!define OPEN_COMMAND '"$INSTDIR\linvox.exe" %1'

!macro RegisterLinkType KEY DESCRIPTION
    WriteRegStr HKCU "Software\Classes\${KEY}" "" "${DESCRIPTION}"
    WriteRegStr HKCU "Software\Classes\${KEY}" "URL Protocol" ""
    WriteRegStr HKCU "Software\Classes\${KEY}\DefaultIcon" "" '"$INSTDIR\linvox.exe",0'
    WriteRegStr HKCU "Software\Classes\${KEY}\shell\open\command" "" '${OPEN_COMMAND}'
!macroend

!macro RegisterScheme SCHEME
    !insertmacro RegisterLinkType "${SCHEME}" "URL:${SCHEME}"
    WriteRegStr HKCU "${CAPABILITIES_KEY}\URLAssociations" "${SCHEME}" "${LINK_TYPE}"
!macroend

; Removes a scheme's handler only while it is still Linvox: another program may have taken the
; links over since.
!macro UnregisterScheme SCHEME
    ReadRegStr $0 HKCU "Software\Classes\${SCHEME}\shell\open\command" ""
    ${If} $0 == '${OPEN_COMMAND}'
        DeleteRegKey HKCU "Software\Classes\${SCHEME}"
    ${EndIf}
!macroend

Section "Linvox"
    SetOutPath "$INSTDIR"
    File "/oname=linvox.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    !insertmacro RegisterLinkType "${LINK_TYPE}" "$(LINK_TYPE_NAME)"
    WriteRegStr HKCU "${CAPABILITIES_KEY}" "ApplicationName" "${PRODUCT}"
    WriteRegStr HKCU "${CAPABILITIES_KEY}" "ApplicationDescription" "$(DESCRIPTION)"
    WriteRegStr HKCU "${CAPABILITIES_KEY}" "ApplicationIcon" '"$INSTDIR\linvox.exe",0'
    !insertmacro RegisterScheme "tel"
    !insertmacro RegisterScheme "callto"
    !insertmacro RegisterScheme "sip"
    !insertmacro RegisterScheme "skype"
    WriteRegStr HKCU "Software\RegisteredApplications" "${PRODUCT}" "${CAPABILITIES_KEY}"

    ; Named Linvox in every language, so that an uninstaller speaking another one finds it.
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\linvox.exe" "" "" "" "" "" \
        "$(DESCRIPTION)"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\linvox.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    ; Explorer and open windows learn of the new link handlers at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; The settings under "VB and VBA Program Settings" stay: they are the user's.
Section "Uninstall"
    !insertmacro UnregisterScheme "tel"
    !insertmacro UnregisterScheme "callto"
    !insertmacro UnregisterScheme "sip"
    !insertmacro UnregisterScheme "skype"
    DeleteRegKey HKCU "Software\Classes\${LINK_TYPE}"
    DeleteRegValue HKCU "Software\RegisteredApplications" "${PRODUCT}"
    DeleteRegKey HKCU "Software\Linvox"
    DeleteRegKey /ifempty HKCU "Software\RegisteredApplications"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\linvox.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
