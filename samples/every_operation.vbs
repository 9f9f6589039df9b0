' Every operation of TeskLumoraLib's two classes, called late-bound as a script host calls them.
'   cscript //nologo every_operation.vbs
' The DLL must be registered (regsvr32 TeskLumoraLib.dll, or regsvr32 /n /i:user for the current
' user only); 32-bit scripts need the x86 DLL, 64-bit ones the x64 DLL. Each window is modal: the
' call returns when you close the window.
Option Explicit
Dim shell, reg, info, path, valueName, value, symbol, shortcuts, startv, address

Const SampleKey = "HKEY_CURRENT_USER\Software\TeskLumoraLibSample"

' clsNewRegLib: registry string values. Creating one takes five seconds.
Set reg = CreateObject("TeskLumoraLib.clsNewRegLib")
Set shell = CreateObject("WScript.Shell")
shell.RegWrite "HKCU\Software\TeskLumoraLibSample\", ""   ' the library writes into existing keys only

' The arguments are passed by reference: an accepted key path comes back without its root name,
' so set the path again before every call.
path = SampleKey : valueName = "Edition" : value = "Gold"
reg.SetRegKeyValue path, valueName, value
WScript.Echo "SetRegKeyValue left the path as """ & path & """"
path = SampleKey
WScript.Echo "GetRegKeyValue: """ & reg.GetRegKeyValue(path, valueName) & """"

' ClsInfo: the shared windows and the host chores.
Set info = CreateObject("TeskLumoraLib.ClsInfo")
symbol = "TESKINVOICE"
info.SetProductName symbol          ' the product symbol of the windows shown from now on
info.ShowAboutUs "TESKINVOICE", "Licensed to: Sample User", "2.1", True
info.ShowWhatNew "What's new in 2.1" & vbCrLf & "- Faster reports" & vbCrLf & "- Fewer clicks"

' Shortcuts as one text: records separated by "^", fields (main menu|menu item|keys) by "|".
shortcuts = "File|Open|Ctrl+O^File|Save|Ctrl+S^Edit|Find|Ctrl+F"
info.ShowShortcutKeysForm shortcuts
' The same as a two-dimensional array, rows by columns.
Dim keys(1, 2)
keys(0, 0) = "View" : keys(0, 1) = "Refresh" : keys(0, 2) = "F5"
keys(1, 0) = "Help" : keys(1, 1) = "Contents" : keys(1, 2) = "F1"
info.ShowShortcutKey keys

' Starts the local MySQL server when it is installed and not running; always answers False.
startv = True
WScript.Echo "SetSql: " & info.SetSql(startv)

' The bug-report page address from the update server (empty text when it cannot be fetched),
' then the bug-report window showing that page.
address = info.ShowReportABugPath()
WScript.Echo "ShowReportABugPath: """ & address & """"
info.ShowReportABug

shell.RegDelete "HKCU\Software\TeskLumoraLibSample\Edition"
shell.RegDelete "HKCU\Software\TeskLumoraLibSample\"
