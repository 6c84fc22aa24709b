; An NSIS installer that writes only its uninstaller. The uninstaller, run without _?=, copies
; itself to the temporary folder, starts the copy and exits at once; the copy works 3 seconds,
; removes the product's folder and, as its very last step, leaves FOLDER.removed beside it.
; usage: uninstaller_handoff.exe /S /D=FOLDER, then FOLDER\uninst.exe /S
Name "Tarnwick test product"
OutFile "uninstaller_handoff.exe"
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
