# A preview of 9,999 files through the desktop form (Results list included)
# against the engine's preview of the same folder into a plain vector, run
# by hand:
#   cmake --build <build> --target kalvenor_app_bench
#   QT_QPA_PLATFORM=offscreen <build>/bench/kalvenor_app_bench
if(TARGET kalvenor_app_lib)
  add_executable(kalvenor_app_bench app_preview.cc)
  target_link_libraries(kalvenor_app_bench PRIVATE kalvenor_app_lib kalvenor_test_support)
endif()

# Start, Continue and Undo Last of 9,999 files through the form, each from
# the click until the Results list is drawn; the source builds against
# earlier versions too, for a comparison in one sitting:
#   QT_QPA_PLATFORM=offscreen <build>/bench/kalvenor_form_runs_bench [--rounds N] [--raw]
if(TARGET kalvenor_app_lib)
  add_executable(kalvenor_form_runs_bench form_runs_bench.cc)
  target_link_libraries(kalvenor_form_runs_bench PRIVATE kalvenor_app_lib kalvenor_test_support)
endif()

# The longest stretch the window's GUI thread is kept from its events while
# Start, Continue, Undo Last, a tree expansion and start-up work on a folder
# whose reads are slowed:
#   QT_QPA_PLATFORM=offscreen <build>/bench/kalvenor_responsiveness_bench
if(TARGET kalvenor_app_lib)
  add_executable(kalvenor_responsiveness_bench responsiveness_bench.cc)
  target_link_libraries(kalvenor_responsiveness_bench PRIVATE kalvenor_app_lib kalvenor_test_support)
endif()
