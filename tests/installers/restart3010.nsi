; An NSIS installer that does nothing but ask for a restart: it ends with 3010.
Name "Tarnwick test installer"
OutFile "restart3010.exe"
RequestExecutionLevel admin
SilentInstall silent
Section
  SetErrorLevel 3010
SectionEnd
