# Libraries of the platform layer (engine/platform). Each backend that needs one adds it here,
# linked to the engine's objects, and its Debian package to scripts/deps.sh.
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
target_link_libraries(plm232_objects PUBLIC PkgConfig::SDL2)

# Module music (MOD, XM, S3M, IT) for the audio layer.
pkg_check_modules(OPENMPT REQUIRED IMPORTED_TARGET libopenmpt)
target_link_libraries(plm232_objects PUBLIC PkgConfig::OPENMPT)

# Image files (platform/ImageCodec) and system-font text (platform/software/TextRenderer).
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(plm232_objects PUBLIC PkgConfig::PNG PkgConfig::JPEG PkgConfig::FREETYPE PkgConfig::FONTCONFIG)

# The software rasteriser's inner loops are worth the optimiser's full effort in every build type.
set_source_files_properties(${CMAKE_SOURCE_DIR}/engine/platform/software/Rasterizer.cpp PROPERTIES COMPILE_OPTIONS -O3)
