# Debian's hardening flags, as dpkg-buildflags gives them to a package with every hardening
# feature asked for: _FORTIFY_SOURCE=2, -fstack-protector-strong, format-string errors,
# -z relro and -z now, and position-independent executables. Optimisation and debug flags are
# left to the build type, and the source paths stay whole in the debug information.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
    message(WARNING "dpkg-buildflags was not found (Debian package dpkg-dev): no hardening")
    return()
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-all"
                "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" ${DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags_${kind} UNIX_COMMAND "${flags}")
endforeach()
add_compile_options(${flags_CPPFLAGS} ${flags_CXXFLAGS})
add_link_options(${flags_LDFLAGS})
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
