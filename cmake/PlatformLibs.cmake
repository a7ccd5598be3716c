# Libraries of the platform layer (engine/platform). Each backend that needs one adds it here,
# linked privately to the engine, and its Debian package to scripts/deps.sh.
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
target_link_libraries(plm232 PRIVATE PkgConfig::SDL2)

# Module music (MOD, XM, S3M, IT) for the audio layer.
pkg_check_modules(OPENMPT REQUIRED IMPORTED_TARGET libopenmpt)
target_link_libraries(plm232 PRIVATE PkgConfig::OPENMPT)
