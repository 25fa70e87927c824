target_link_libraries(tests_${name} PRIVATE cabvideo PkgConfig::FFMPEG)
