target_link_libraries(tests_${name} PRIVATE cabqt)
