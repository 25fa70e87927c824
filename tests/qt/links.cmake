target_link_libraries(tests_${name} PRIVATE cabqt)
target_compile_definitions(tests_${name} PRIVATE
  CABVIEW_VERSION="${PROJECT_VERSION}"
  CABVIEW_GUI="$<TARGET_FILE:cabview>"
  CABVIEW_DEMO="$<TARGET_FILE:cabview-demo>"
  CABVIEW_BENCH="$<TARGET_FILE:cabview-bench>")
add_dependencies(tests_${name} cabview cabview-demo cabview-bench)
# The window program's command line is read before Qt starts; its parser is tested here.
target_sources(tests_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src/app/command_line.cpp)
