# gallery_add_shared_and_static(NAME OBJECTS OUTPUT_NAME EXPORT_NAME HEADER...): a library
# installed for other programs, built twice from the one OBJECT library OBJECTS: NAME is the
# shared library lib<OUTPUT_NAME>.so.<major> (gallery::<EXPORT_NAME>) and NAME_static the
# archive lib<OUTPUT_NAME>.a (gallery::<EXPORT_NAME>_static). The public headers lie under
# include/ of the calling folder.
#
# The objects are compiled once, position-independent and with hidden symbols: what a public
# header marks with the library's export macro is all that the shared library exports (the
# install tests check it), so that internal functions can change without breaking programs
# built against an earlier release.
function(gallery_add_shared_and_static name objects output_name export_name)
    set_target_properties(${objects} PROPERTIES
        POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    add_library(${name} SHARED $<TARGET_OBJECTS:${objects}>)
    add_library(${name}_static STATIC $<TARGET_OBJECTS:${objects}>)
    set_target_properties(${name} PROPERTIES EXPORT_NAME ${export_name}
        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
    set_target_properties(${name}_static PROPERTIES EXPORT_NAME ${export_name}_static)
    foreach(target ${name} ${name}_static)
        set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name})
        target_sources(${target} PUBLIC FILE_SET HEADERS BASE_DIRS include FILES ${ARGN})
    endforeach()
endfunction()
