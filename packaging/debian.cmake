# The Debian packages, built by cpack from the install rules, one per component:
# gallery_1.0_amd64.deb, libgallery1_1.0_amd64.deb and libgallery-dev_1.0_amd64.deb, with the
# debug information of the programs and shared libraries split off into -dbgsym .ddeb files.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game libs dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The programs and shared libraries are stripped by the step that splits off their debug
# information; the archives, which that step leaves alone, lose theirs as Debian's dh_strip
# does it, keeping the symbol table that linking needs.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_STRIP_FILES OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/strip_archives.cmake)
set(CPACK_GALLERY_STRIP ${CMAKE_STRIP})

# Depends from dpkg-shlibdeps, which finds our own shared libraries in the build tree; the
# dependency between our packages is exact, as their versions move together.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_target_property(objmodel_dir glm BINARY_DIR)
get_target_property(imagereaders_dir image_readers BINARY_DIR)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${objmodel_dir} ${imagereaders_dir})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_GAME_DEPENDS libs)
set(CPACK_COMPONENT_DEV_DEPENDS libs)

foreach(component game libs dev)
    string(TOUPPER ${component} upper)
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${GALLERY_PACKAGE_${component}})
endforeach()

# Not "games" for the game: Debian keeps that section for packages whose game lies in
# /usr/games, and this one installs into the usual bin/.
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION misc)
string(JOIN "\n" CPACK_DEBIAN_GAME_DESCRIPTION
    "three-dimensional shooting gallery game"
    "A shooting gallery drawn with OpenGL: three booths under a textured sky, a"
    "running rabbit, a gopher and paper targets, a shotgun with five cartridges."
    ""
    "The package also holds objtool, a command-line tool that reports on Wavefront"
    "OBJ models, converts them and shows them in a window or draws them into PNG"
    "files.")

# The shared libraries: a shlibs file, and the trigger that updates ldconfig's cache.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_LIBS_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBS_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/libgallery/triggers)
string(JOIN "\n" libraries_description
    "The OBJ model library reads Wavefront OBJ and MTL files into a model record,"
    "computes facet and vertex normals, fits and transforms models, draws them"
    "with OpenGL and writes them back out. The image readers read BMP and TGA"
    "pictures into memory.")
string(JOIN "\n" CPACK_DEBIAN_LIBS_DESCRIPTION
    "shooting gallery's OBJ model library and image readers"
    "${libraries_description}"
    ""
    "This package holds the shared libraries libgallery-objmodel and"
    "libgallery-imagereaders.")
install(FILES libgallery/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        RENAME ${GALLERY_PACKAGE_libs} COMPONENT libs)

# The static libraries link OpenGL, and the CMake package looks for it.
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS libgl-dev)
string(JOIN "\n" CPACK_DEBIAN_DEV_DESCRIPTION
    "shooting gallery's OBJ model library and image readers (development)"
    "${libraries_description}"
    ""
    "This package holds the headers, the static libraries, a CMake package"
    "(find_package(gallery)) and pkg-config files (gallery-objmodel,"
    "gallery-imagereaders).")
include(CPack)
