# The SDL audio device, played through SDL's dummy driver.
target_link_libraries(tests_${name} PRIVATE cabaudio)
