; Test helper: a real NSIS installer and its uninstaller, built by makensis when the tests run.
; The installer writes only its uninstaller. The uninstaller, run without _?=, copies itself to
; the temporary folder, starts the copy and exits at once; the copy works for 3 seconds, removes
; the product's folder and, as its very last step, leaves INSTDIR.removed beside that folder.
; usage: makensis -DTARGET=x86-unicode|amd64-unicode -DOUTFILE=PATH nsis_product.nsi
;        nsis_product.exe /S /D=FOLDER, then FOLDER\uninst.exe /S
Target ${TARGET}
Name "Tarnwick Test Product"
OutFile "${OUTFILE}"
InstallDir "$TEMP\TarnwickTestProduct"
RequestExecutionLevel admin
SilentInstall silent
SilentUnInstall silent

Section
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninst.exe"
SectionEnd

Section "Uninstall"
    Sleep 3000
    Delete "$INSTDIR\uninst.exe"
    SetOutPath "$TEMP"
    RMDir "$INSTDIR"
    FileOpen $0 "$INSTDIR.removed" w
    FileWrite $0 "removed"
    FileClose $0
SectionEnd
