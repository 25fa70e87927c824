target_compile_definitions(tests_${name} PRIVATE CABVIEW_DEMO="$<TARGET_FILE:cabview-demo>")
target_link_libraries(tests_${name} PRIVATE PkgConfig::FFMPEG)
add_dependencies(tests_${name} cabview-demo)
