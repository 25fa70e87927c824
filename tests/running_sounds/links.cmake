# The motor-pitch drive runs on the small demo set.
target_compile_definitions(tests_${name} PRIVATE CABVIEW_DEMO="$<TARGET_FILE:cabview-demo>")
add_dependencies(tests_${name} cabview-demo)
