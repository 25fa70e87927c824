# A drive on the demo set hears its call-outs.
target_compile_definitions(tests_${name} PRIVATE CABVIEW_DEMO="$<TARGET_FILE:cabview-demo>")
add_dependencies(tests_${name} cabview-demo)
