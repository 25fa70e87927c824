# The fixtures are encoded in the tests with the same libraries the decoder uses.
target_link_libraries(tests_${name} PRIVATE cabpicture JPEG::JPEG PNG::PNG)
