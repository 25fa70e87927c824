# Drives started one after the other from the title run on the demo content.
target_compile_definitions(tests_${name} PRIVATE CABVIEW_DEMO="$<TARGET_FILE:cabview-demo>")
add_dependencies(tests_${name} cabview-demo)
