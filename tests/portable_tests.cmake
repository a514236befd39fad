# The unit tests that need neither SDL nor X (nor the program): built into the desktop's kx_tests
# and, in the Windows build, into kx_windows_tests, which runs under wine.
set(KX_PORTABLE_TESTS
  test_support.cpp
  elements_test.cpp
  renderer_test.cpp
  input_script_test.cpp
  game_link_test.cpp
  watch_test.cpp
  start_of_play_test.cpp
  play_tick_test.cpp
  ducks_test.cpp
  exact_trig_test.cpp
  bullets_test.cpp
  boss_test.cpp
  power_up_test.cpp
  ending_test.cpp
  pictures_test.cpp
  trace_diff.cpp
  trace_test.cpp
  byte_sink_test.cpp
  gamepad_keys_test.cpp
  key_places_test.cpp
  key_bindings_test.cpp
  key_delay_test.cpp
  window_figures_test.cpp
  window_changes_test.cpp
  window_policy_test.cpp
  tick_clock_test.cpp
  driver_keys_test.cpp
  driver_box_test.cpp
  driver_pacing_test.cpp
  key_routing_test.cpp
  polled_pads_test.cpp
  shortest_number_test.cpp
  page_calls_test.cpp)
list(TRANSFORM KX_PORTABLE_TESTS PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
