target_compile_definitions(tests_${name} PRIVATE CABVIEW_VERSION="${PROJECT_VERSION}")
