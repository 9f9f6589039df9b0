# The 32-bit DLL in a 64-bit Windows prefix, run by 32-bit programs (WoW64), as most users run
# it: registered by syswow64's regsvr32 into the registry's 32-bit view, created, its registry
# operations (which see the 32-bit view), SetSql, one window and the 32-bit script host.
# `wine` is the 32-bit loader here, and the programs are named by their syswow64 path.

set(wow64_prefix ${CMAKE_BINARY_DIR}/wineprefix-wow64)
set(wow64_env "WINEPREFIX=${wow64_prefix};WINEARCH=win64;TESK_WINE=wine")
set(syswow64 C:\\\\windows\\\\syswow64)

add_test(NAME wow64_prefix COMMAND ${wine} wineboot --init)
add_test(NAME wow64_registration COMMAND registration_tests ${dll})
add_test(NAME wow64_register_dll COMMAND ${wine} ${syswow64}\\\\regsvr32.exe /s ${dll})
add_test(NAME wow64_drives COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/make-test-drives.sh
         ${CMAKE_CURRENT_BINARY_DIR}/drives-wow64)
add_test(NAME wow64_automation COMMAND automation_tests ${dll} ${stand_in})
add_test(NAME wow64_creation COMMAND creation_tests ${dll} ${stand_in})
add_test(NAME wow64_setsql COMMAND setsql_tests ${dll} ${stand_in})
add_test(NAME wow64_window COMMAND windows_tests ${dll} ${stand_in}
         --gtest_filter=WhatsNewWindow.ShowsEveryLineBreakAndClosesByItsCloseBox)
add_test(NAME wow64_vbscript COMMAND ${wine} ${syswow64}\\\\cscript.exe //nologo
         Z:${CMAKE_CURRENT_SOURCE_DIR}/registry.vbs)
add_test(NAME wow64_unregister_dll COMMAND ${wine} ${syswow64}\\\\regsvr32.exe /s /u ${dll})

set(wow64_tests wow64_prefix wow64_registration wow64_register_dll wow64_drives wow64_automation
    wow64_creation wow64_setsql wow64_window wow64_vbscript wow64_unregister_dll)
set_tests_properties(${wow64_tests} PROPERTIES ENVIRONMENT "${wow64_env}" RUN_SERIAL TRUE)
set_tests_properties(wow64_prefix PROPERTIES FIXTURES_SETUP wow64_prefix)
set_tests_properties(wow64_registration wow64_creation PROPERTIES FIXTURES_REQUIRED wow64_prefix)
set_tests_properties(wow64_register_dll PROPERTIES FIXTURES_REQUIRED wow64_prefix
  FIXTURES_SETUP wow64_registered DEPENDS wow64_registration)
set_tests_properties(wow64_unregister_dll PROPERTIES FIXTURES_CLEANUP wow64_registered)
set_tests_properties(wow64_drives PROPERTIES FIXTURES_REQUIRED wow64_prefix
  FIXTURES_SETUP wow64_drives)
set_tests_properties(wow64_automation wow64_window wow64_vbscript PROPERTIES
  FIXTURES_REQUIRED "wow64_prefix;wow64_registered")
set_tests_properties(wow64_setsql PROPERTIES
  FIXTURES_REQUIRED "wow64_prefix;wow64_registered;wow64_drives")
set_tests_properties(wow64_vbscript PROPERTIES
  PASS_REGULAR_EXPRESSION "[1-9][0-9]* passed, 0 failed" FAIL_REGULAR_EXPRESSION "FAIL ")
