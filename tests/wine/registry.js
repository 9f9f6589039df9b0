// A real late-binding host: JScript passes every argument by value, literals included, where
// VBScript (registry.vbs) passes its variables by reference. How errors reach a script is
// registry.vbs's to show.
var passed = 0, failed = 0;
function check(title, ok) {
  if (ok) { passed++; WScript.Echo("PASS " + title); }
  else { failed++; WScript.Echo("FAIL " + title); }
}

var shell = new ActiveXObject("WScript.Shell");
shell.RegWrite("HKCU\\Software\\TeskLumoraLibScript\\", "");
var info = new ActiveXObject("TeskLumoraLib.ClsInfo");
info.SetProductName("TAX");
var reg = new ActiveXObject("TeskLumoraLib.clsNewRegLib");

var path = "HKEY_CURRENT_USER\\Software\\TeskLumoraLibScript";
reg.SetRegKeyValue(path, "FromJScript", "  written by JScript  ");
check("the value reads back trimmed", reg.GetRegKeyValue(path, "FromJScript") === "written by JScript");

WScript.Echo(passed + " passed, " + failed + " failed");
