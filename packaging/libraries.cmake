# The libraries for other programs: the shared libraries go into libgallery1; their headers,
# the static libraries, the CMake package and the pkg-config files into libgallery-dev.
# Both ways of linking find the shared library by default: gallery::objmodel and
# gallery::imagereaders, or -lgallery-objmodel; the archives are gallery::objmodel_static and
# gallery::imagereaders_static, or what the linker takes under -Wl,-Bstatic.
include(CMakePackageConfigHelpers)

set(cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${PROJECT_NAME})
install(TARGETS glm image_readers glm_static image_readers_static EXPORT galleryTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libs NAMELINK_COMPONENT dev
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
install(EXPORT galleryTargets NAMESPACE gallery:: DESTINATION ${cmake_dir} COMPONENT dev)
configure_package_config_file(galleryConfig.cmake.in galleryConfig.cmake
                              INSTALL_DESTINATION ${cmake_dir})
write_basic_package_version_file(galleryConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/galleryConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/galleryConfigVersion.cmake
        DESTINATION ${cmake_dir} COMPONENT dev)

# pkg-config files that find the prefix from their own place, like the CMake package, so they
# hold wherever the tree is installed.
set(pkgconfig_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${pkgconfig_dir} ${CMAKE_INSTALL_PREFIX})
foreach(library objmodel imagereaders)
    set(pc_name ${PROJECT_NAME}-${library})
    if(library STREQUAL objmodel)
        set(pc_description "Wavefront OBJ and MTL models: reading, normals, transforms, drawing, writing")
        set(pc_requires gl)
        set(pc_libs_private -pthread) # the reader reads on several threads
    else()
        set(pc_description "BMP and TGA pictures read into memory")
        set(pc_requires "")
        set(pc_libs_private "")
    endif()
    configure_file(library.pc.in ${pc_name}.pc @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${pc_name}.pc DESTINATION ${pkgconfig_dir}
            COMPONENT dev)
endforeach()
