#pragma once
// The library-wide instances of the standard windows.

#include "windows/about_window.h"
#include "windows/report_a_bug_window.h"
#include "windows/shortcut_key_window.h"
#include "windows/tech_support_window.h"
#include "windows/tip_window.h"

namespace tesk::windows {

struct StandardWindows {
  explicit StandardWindows(HostValues& values)
      : techSupport(values), about(values, techSupport), tip(values), shortcutKeys(values), reportABug(values) {}

  TechSupportWindow techSupport;  // before `about`, which opens it
  AboutWindow about;
  TipWindow tip;
  ShortcutKeyWindow shortcutKeys;
  ReportABugWindow reportABug;
};

// Created on first use over the shared host values; lives until the library unloads.
StandardWindows& SharedStandardWindows();

}  // namespace tesk::windows
