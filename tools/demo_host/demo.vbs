' The demo's script host: both classes called late-bound, as the products' scripts call them,
' printing what each call gave. usage: cscript //nologo demo.vbs
Option Explicit
Dim shell, env, host, info, reg, path, symbol, value, settings, server, started

Set shell = CreateObject("WScript.Shell")
Set env = shell.Environment("Process")
If env("PROCESSOR_ARCHITEW6432") <> "" Then
  host = "a 32-bit script host on 64-bit Windows"
ElseIf env("PROCESSOR_ARCHITECTURE") = "x86" Then
  host = "a 32-bit script host on 32-bit Windows"
Else
  host = "a 64-bit script host on 64-bit Windows"
End If
WScript.Echo "  " & host

Set info = CreateObject("TeskLumoraLib.ClsInfo")
symbol = "TESKLEDGER"
info.SetProductName symbol
WScript.Echo "  SetProductName """ & symbol & """"
WScript.Echo "  ShowReportABugPath() = """ & info.ShowReportABugPath() & """"

' An update server that takes the call and says nothing: the host waits DownloadSeconds at most.
settings = "HKCU\Software\TeskLumoraLib\"
server = shell.RegRead(settings & "UpdateServer")
shell.RegWrite settings & "UpdateServer", Replace(server, "/demo", "/silent")
shell.RegWrite settings & "DownloadSeconds", "3"
started = Timer
value = info.ShowReportABugPath()
WScript.Echo "  ShowReportABugPath() from a server that says nothing, DownloadSeconds 3: """ & _
  value & """ after " & FormatNumber(Timer - started, 1) & " s"
shell.RegWrite settings & "UpdateServer", server
shell.RegWrite settings & "DownloadSeconds", "15"

' The machine's keys as this host sees them: on 64-bit Windows a 32-bit program has a view of
' its own (HKLM\Software\WOW6432Node), and the library, inside it, writes there too.
shell.RegWrite "HKLM\Software\TeskLumoraLibDemo\", ""
Set reg = CreateObject("TeskLumoraLib.clsNewRegLib")
path = "HKEY_LOCAL_MACHINE\Software\TeskLumoraLibDemo"
reg.SetRegKeyValue path, "WrittenBy", host
path = "HKEY_LOCAL_MACHINE\Software\TeskLumoraLibDemo"
value = reg.GetRegKeyValue(path, "WrittenBy")
WScript.Echo "  SetRegKeyValue, then GetRegKeyValue(""HKEY_LOCAL_MACHINE\Software\" & _
  "TeskLumoraLibDemo"", ""WrittenBy"") = """ & value & """"
