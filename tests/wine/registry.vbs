' A real late-binding host: VBScript creates both classes by ProgID and passes its variables
' by reference, as scripts do.
Option Explicit
Dim passed, failed, shell, info, reg, path, name, value, symbol
passed = 0 : failed = 0

Sub Check(title, ok)
  If ok Then
    passed = passed + 1 : WScript.Echo "PASS " & title
  Else
    failed = failed + 1 : WScript.Echo "FAIL " & title
  End If
End Sub

Set shell = CreateObject("WScript.Shell")
shell.RegWrite "HKCU\Software\TeskLumoraLibScript\", ""

Set info = CreateObject("TeskLumoraLib.ClsInfo")
symbol = "TAX"
info.SetProductName symbol
Check "SetProductName leaves its argument alone", symbol = "TAX"

Set reg = CreateObject("TeskLumoraLib.clsNewRegLib")
path = "HKEY_CURRENT_USER\Software\TeskLumoraLibScript"
name = "FromVBScript"
value = "written by VBScript"
reg.SetRegKeyValue path, name, value
Check "the key-path variable is rewritten", path = "Software\TeskLumoraLibScript"
path = "HKEY_CURRENT_USER\Software\TeskLumoraLibScript"
Check "the value reads back", reg.GetRegKeyValue(path, name) = value

On Error Resume Next
info.ShowShortcutKeysForm ""
Check "an empty shortcut list raises a readable error", _
  (Err.Number = 9 Or Err.Number = &H800A0009) And Err.Description = "Subscript out of range"
Err.Clear
On Error GoTo 0

WScript.Echo passed & " passed, " & failed & " failed"
