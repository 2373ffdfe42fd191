# End-to-end cases under Wine; registered by the e2e configure preset. The cases run in sessions:
# each session is a display and a Wine prefix of its own (a CTest fixture starts and stops it), and
# its cases run one at a time, since two hook installers alive at once on one desktop would stack
# their hooks and report every event twice. Two sessions' cases may run at once (`ctest -j 2`): they
# share nothing but the processor. The cases that measure time run alone.

find_program(GW_BASH bash REQUIRED)
set(GW_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

# gw_e2e_session(NAME [VAR=VALUE...]): a session whose working folder is build/e2e/NAME (the prefix,
# the logs and the artifacts); the cases registered after it run there.
function(gw_e2e_session name)
  set(env "GW_E2E_WORK=${CMAKE_BINARY_DIR}/${name}" ${ARGN})
  foreach(step start stop)
    add_test(NAME e2e.${name}.session.${step} COMMAND ${GW_BASH} ${GW_E2E_DIR}/session.sh ${step})
    set_tests_properties(e2e.${name}.session.${step} PROPERTIES RESOURCE_LOCK e2e_${name} ENVIRONMENT "${env}")
  endforeach()
  set_tests_properties(e2e.${name}.session.start PROPERTIES FIXTURES_SETUP e2e_${name} TIMEOUT 180)
  set_tests_properties(e2e.${name}.session.stop PROPERTIES FIXTURES_CLEANUP e2e_${name} TIMEOUT 60)
  set(GW_E2E_SESSION ${name} PARENT_SCOPE)
  set(GW_E2E_SESSION_ENV "${env}" PARENT_SCOPE)
endfunction()

# gw_e2e_cases(SCRIPT case...): one test per case in the current session, named after the script
# and the case.
function(gw_e2e_cases script)
  get_filename_component(group ${script} NAME_WE)
  foreach(name ${ARGN})
    add_test(NAME e2e.${group}.${name} COMMAND ${GW_BASH} ${GW_E2E_DIR}/cases/${script} ${name})
    set_tests_properties(e2e.${group}.${name} PROPERTIES FIXTURES_REQUIRED e2e_${GW_E2E_SESSION}
                         RESOURCE_LOCK e2e_${GW_E2E_SESSION} TIMEOUT 60 ENVIRONMENT "${GW_E2E_SESSION_ENV}")
  endforeach()
endfunction()

# The first session: the harness, the scroll cases of the classic windows, other densities.
gw_e2e_session(first)
gw_e2e_cases(harness.sh target_receives_input)

# Scrolling with the real program (scroll.sh).
gw_e2e_cases(scroll.sh
  auto_scroll.wheel_down auto_scroll.wheel_up auto_scroll.sibling_bar move_scroll.wheel
  click.replayed_move_scroll click.replayed_auto_scroll click.swallowed_not_lost_auto_scroll
  click.swallowed_not_lost_move_scroll toggle.auto_scroll disabled.clicks_pass
  click.quick.list_auto_scroll click.quick.list_move_scroll click.quick.page_auto_scroll
  click.quick.page_move_scroll click.quick.left_activation click.quick.double_click_stays_double
  click.quick.double_click_on_page_stays_double click.quick.busy_target
  killed.mid_gesture aside.listed_program_keeps_its_button aside.program_under_the_cursor
  lost_release.move_scroll hung_target.auto_scroll hung_target.move_scroll)

# Other screen densities (dpi.sh): the window and the menus at 144 and 192 dpi, relayout on a change.
gw_e2e_cases(dpi.sh window_and_menus_at_144 window_and_menus_at_192 relayout_on_dpi_change)

# The second session: the program, its window and keys, PopDesk, and the measurements.
gw_e2e_session(second)
gw_e2e_cases(program.sh
  second_start_exits_at_once missing_hooks_library_reported missing_tools_library_reported
  first_start_writes_run_value run_value_for_a_standard_user exit_from_tray_menu closing_hides_to_tray left_click_toggles_scrolling
  configuration_pages_screenshots close_while_tray_menu_open)

# PopDesk and the mouse tools (popdesk.sh).
gw_e2e_cases(popdesk.sh
  menu_lists_and_launches reopens_with_new_items off_never_opens close_while_menu_open names_in_any_script
  every_monitor_box_saved
  swap_buttons_applied swap_buttons_apply_button)

# The configuration window with the keyboard (keys.sh).
gw_e2e_cases(keys.sh
  first_control_has_focus tab_order_of_a_property_sheet f1_opens_help_from_anywhere alt_a_keeps_focus
  ctrl_tab_switches_pages arrows_and_clicks_agree every_control_shows_focus)
set_tests_properties(e2e.keys.every_control_shows_focus PROPERTIES TIMEOUT 120)  # two pictures a control

# What Glidewing costs, briefly (perf.sh): the hook's work per mouse move reported to the window in
# the record, start to tray icon, and an idle program that gets nothing with PopDesk off and only
# its timer's ticks with PopDesk on. The full measurements are the scripts hook-cost.sh,
# startup-time.sh and idle-cost.sh.
gw_e2e_cases(perf.sh hook_cost startup_time idle_cost)
set_tests_properties(e2e.perf.hook_cost e2e.perf.startup_time e2e.perf.idle_cost PROPERTIES RUN_SERIAL ON)

# The third session: the hooks, the scroll cases of the modern windows and of the speed that
# follows the hand, other folders, the installer.
gw_e2e_session(third)
gw_e2e_cases(hooks.sh
  click.right_on_list click.right_on_plain click.right_on_own_scroll_bar click.scroll_disabled
  click.left_activation click.middle_activation click.other_button click.no_activation_button
  click.mozilla_class click.sibling_scroll_bar
  pass_input_off hooks_paused report_keys key_repeat section_closed crash_handler_unhooks)

# Scrolling in the windows of the modern toolkits, and the speed that follows the hand (scroll.sh).
gw_e2e_cases(scroll.sh
  modern.auto_scroll.chrome modern.auto_scroll.wpf modern.auto_scroll.uwp
  modern.move_scroll.chrome modern.move_scroll.wpf modern.move_scroll.uwp modern.click.chrome modern.click.wpf
  follow.near_and_far follow.diagonal follow.off_keeps_todays_amounts)

# Glidewing from folders whose names the ANSI code page cannot hold, with LANG=en_US.UTF-8 (paths.sh):
# Cyrillic and CJK, with the program's UTF-8 code page and without it as on systems before it; and
# system libraries from the system folder only.
gw_e2e_cases(paths.sh
  folder.cyrillic folder.cjk folder.cyrillic.older_system folder.cjk.older_system
  aside.program_named_in_cyrillic system_library_from_the_system_folder)
set_tests_properties(e2e.paths.folder.cyrillic e2e.paths.folder.cjk e2e.paths.folder.cyrillic.older_system
                     e2e.paths.folder.cjk.older_system PROPERTIES TIMEOUT 90)

# The per-user installer under Wine's msiexec and the /exit switch it relies on (install.sh). They
# need the installer of the build (target msi); an install or uninstall takes several seconds.
gw_e2e_cases(install.sh
  exit_switch install_runs_from_programs_folder uninstall_ends_running_program upgrade_replaces_older)
set_tests_properties(e2e.install.install_runs_from_programs_folder e2e.install.uninstall_ends_running_program
                     e2e.install.upgrade_replaces_older PROPERTIES TIMEOUT 120)

# The cases that need a second monitor (left of the primary one) run in a session of their own:
# Xorg with the dummy video driver instead of Xvfb (lib.sh, GW_E2E_MONITORS).
gw_e2e_session(monitors GW_E2E_MONITORS=left-of)
gw_e2e_cases(scroll.sh
  monitors.left.click monitors.left.click_on_page monitors.left.auto_scroll monitors.left.move_scroll)
gw_e2e_cases(popdesk.sh monitors.left.every_monitor_corner monitors.left.primary_corner_only)
