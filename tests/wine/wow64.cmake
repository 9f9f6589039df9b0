# The 32-bit DLL in a 64-bit Windows prefix, run by 32-bit programs (WoW64), as most users run
# it: registered by syswow64's regsvr32 into the registry's 32-bit view, created, its registry
# operations (which see the 32-bit view), SetSql, one window and the 32-bit script host.
# `wine` is the 32-bit loader here, and the programs are named by their syswow64 path.

set(wow64_prefix ${CMAKE_BINARY_DIR}/wineprefix-wow64)
set(wow64_env "WINEPREFIX=${wow64_prefix};WINEARCH=win64;TESK_WINE=wine")
set(syswow64 C:\\\\windows\\\\syswow64)

tesk_wine_run(wow64_prefix COMMAND ${wine} wineboot --init ENVIRONMENT ${wow64_env}
  FIXTURES_SETUP wow64_prefix)
tesk_wine_run(wow64_registration COMMAND registration_tests ${dll} ENVIRONMENT ${wow64_env}
  FIXTURES_REQUIRED wow64_prefix)
tesk_wine_run(wow64_register_dll COMMAND ${wine} ${syswow64}\\\\regsvr32.exe /s ${dll}
  ENVIRONMENT ${wow64_env} FIXTURES_REQUIRED wow64_prefix FIXTURES_SETUP wow64_registered
  DEPENDS wow64_registration)
tesk_wine_run(wow64_drives COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/make-test-drives.sh
  ${CMAKE_CURRENT_BINARY_DIR}/drives-wow64 ENVIRONMENT ${wow64_env}
  FIXTURES_REQUIRED wow64_prefix FIXTURES_SETUP wow64_drives)
tesk_wine_run(wow64_automation COMMAND automation_tests ${dll} ${stand_in}
  ENVIRONMENT ${wow64_env} FIXTURES_REQUIRED wow64_prefix wow64_registered)
tesk_wine_run(wow64_creation COMMAND creation_tests ${dll} ${stand_in} ENVIRONMENT ${wow64_env}
  FIXTURES_REQUIRED wow64_prefix)
tesk_wine_run(wow64_setsql COMMAND setsql_tests ${dll} ${stand_in} ENVIRONMENT ${wow64_env}
  FIXTURES_REQUIRED wow64_prefix wow64_registered wow64_drives)
tesk_wine_run(wow64_window COMMAND windows_tests ${dll} ${stand_in}
  --gtest_filter=WhatsNewWindow.ShowsEveryLineBreakAndClosesByItsCloseBox
  ENVIRONMENT ${wow64_env} FIXTURES_REQUIRED wow64_prefix wow64_registered)
tesk_wine_run(wow64_vbscript COMMAND ${wine} ${syswow64}\\\\cscript.exe //nologo
  Z:${CMAKE_CURRENT_SOURCE_DIR}/registry.vbs ENVIRONMENT ${wow64_env}
  FIXTURES_REQUIRED wow64_prefix wow64_registered ${script_verdict})
tesk_wine_run(wow64_unregister_dll COMMAND ${wine} ${syswow64}\\\\regsvr32.exe /s /u ${dll}
  ENVIRONMENT ${wow64_env} FIXTURES_CLEANUP wow64_registered)
