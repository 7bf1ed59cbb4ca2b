# The real executable on a virtual display; skipped where xvfb-run or xdotool is missing.
add_test(NAME e2e_first_start COMMAND ${CMAKE_CURRENT_LIST_DIR}/first_start.sh $<TARGET_FILE:vantori>)
set_tests_properties(e2e_first_start PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
