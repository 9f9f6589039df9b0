// A real late-binding host: JScript passes every argument by value.
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

try {
  info.ShowShortcutKeysForm("");
  check("an empty shortcut list raises an error", false);
} catch (e) {
  check("an empty shortcut list raises a readable error",
        (e.number & 0xFFFF) === 9 && e.description === "Subscript out of range");
}

WScript.Echo(passed + " passed, " + failed + " failed");
