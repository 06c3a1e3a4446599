# The libraries the programs link, from the system or built from pinned sources.
#
# A seed's map is only as portable as the two libraries that decide pixels: FreeType (the label)
# and libimagequant (the palette). So a build whose system copies are other versions than the
# pinned ones below builds those two from source by itself, and a Windows build, which has no
# system copies, builds all four (plus zlib from the MinGW-w64 package). Each is declared by its
# upstream repository and commit; ORVANE_DEPS_DIR points at local archives of exactly those
# commits (checked against the folder's SHA256SUMS), so nothing is downloaded where they exist.
#
# Defines orvane::spng, orvane::imagequant, orvane::freetype and, with the window,
# orvane::fltk (interface targets), and ORVANE_PINNED (the libraries built from source).
include(FetchContent)

set(ORVANE_FREETYPE_VERSION 2.12.1)
set(ORVANE_IMAGEQUANT_VERSION 2.17.0)

set(vendor "${CMAKE_SOURCE_DIR}/../shared/vendor")
get_filename_component(vendor "${vendor}" ABSOLUTE)
if(NOT EXISTS "${vendor}/SHA256SUMS")
    set(vendor "")
endif()
set(ORVANE_DEPS_DIR "${vendor}" CACHE PATH
    "Folder of the pinned source archives and their SHA256SUMS (empty: fetch from upstream)")
set(ORVANE_PIN "auto" CACHE STRING
    "Libraries built from pinned sources: auto (those whose system version differs), all")
set_property(CACHE ORVANE_PIN PROPERTY STRINGS auto all)

# Makes the source of `name` available as ${name}_SOURCE_DIR (in the caller's scope).
function(orvane_pinned_source name archive repository commit)
    if(ORVANE_DEPS_DIR)
        file(STRINGS "${ORVANE_DEPS_DIR}/SHA256SUMS" line REGEX "  ${archive}$")
        string(REGEX MATCH "^[0-9a-f]+" sha256 "${line}")
        if(NOT sha256)
            message(FATAL_ERROR "${ORVANE_DEPS_DIR}/SHA256SUMS has no sum for ${archive}")
        endif()
        FetchContent_Declare(${name} URL "${ORVANE_DEPS_DIR}/${archive}"
                             URL_HASH SHA256=${sha256} DOWNLOAD_EXTRACT_TIMESTAMP OFF)
    else()
        FetchContent_Declare(${name} GIT_REPOSITORY "${repository}" GIT_TAG ${commit})
    endif()
    FetchContent_GetProperties(${name})
    if(NOT ${name}_POPULATED)
        message(STATUS "Pinned source: ${archive} (${commit})")
        FetchContent_Populate(${name})
    endif()
    set(${name}_SOURCE_DIR "${${name}_SOURCE_DIR}" PARENT_SCOPE)
    set(${name}_BINARY_DIR "${${name}_BINARY_DIR}" PARENT_SCOPE)
endfunction()

# Third-party code keeps its own warnings out of ours.
function(orvane_third_party target)
    set_target_properties(${target} PROPERTIES C_STANDARD 99 C_EXTENSIONS OFF
                          POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${target} PRIVATE -w)
endfunction()

set(ORVANE_PINNED "")
set(pin_all OFF)
if(WIN32 OR ORVANE_PIN STREQUAL "all")
    set(pin_all ON)
endif()

# zlib: the system's (on Windows the MinGW-w64 package's static library).
if(WIN32)
    set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)

# --- libimagequant: the palette -----------------------------------------------------------
set(pin_imagequant ${pin_all})
if(NOT pin_all)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(IMAGEQUANT IMPORTED_TARGET imagequant)
    if(NOT IMAGEQUANT_VERSION STREQUAL ORVANE_IMAGEQUANT_VERSION)
        message(STATUS "libimagequant ${IMAGEQUANT_VERSION} differs from "
                       "${ORVANE_IMAGEQUANT_VERSION}: building the pinned source")
        set(pin_imagequant ON)
    endif()
endif()
add_library(orvane_imagequant_use INTERFACE)
add_library(orvane::imagequant ALIAS orvane_imagequant_use)
if(pin_imagequant)
    enable_language(C)
    orvane_pinned_source(imagequant libimagequant-${ORVANE_IMAGEQUANT_VERSION}.tar.gz
                         https://github.com/ImageOptim/libimagequant.git
                         a6cc4ade66710ec799ca41297f6d2c2b4070d0ff)
    # Its own CMakeLists assumes it is the top project, so its seven files are compiled here,
    # with the definitions it would set.
    set(src ${imagequant_SOURCE_DIR})
    add_library(orvane_imagequant STATIC ${src}/libimagequant.c ${src}/blur.c ${src}/mediancut.c
                ${src}/mempool.c ${src}/nearest.c ${src}/pam.c ${src}/kmeans.c)
    orvane_third_party(orvane_imagequant)
    target_include_directories(orvane_imagequant PUBLIC ${src})
    # Its sorts with ties go through a merge sort with glibc's order on every system.
    target_sources(orvane_imagequant PRIVATE ${CMAKE_SOURCE_DIR}/third_party/MergeQsort.c)
    target_compile_definitions(orvane_imagequant PRIVATE qsort=orvane_merge_qsort)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86)$")
        target_compile_definitions(orvane_imagequant PRIVATE USE_SSE=1)
    endif()
    # OpenMP only where it comes as a system library: a Windows program would need its DLL.
    # The palette is the same with any number of threads.
    if(NOT WIN32)
        find_package(OpenMP COMPONENTS C)
    endif()
    if(OpenMP_C_FOUND)
        target_link_libraries(orvane_imagequant PRIVATE OpenMP::OpenMP_C)
    endif()
    target_link_libraries(orvane_imagequant_use INTERFACE orvane_imagequant)
    list(APPEND ORVANE_PINNED "libimagequant ${ORVANE_IMAGEQUANT_VERSION}")
else()
    target_link_libraries(orvane_imagequant_use INTERFACE PkgConfig::IMAGEQUANT)
endif()

# --- FreeType: the label -------------------------------------------------------------------
set(pin_freetype ${pin_all})
if(NOT pin_all)
    find_package(Freetype)
    if(NOT FREETYPE_VERSION_STRING STREQUAL ORVANE_FREETYPE_VERSION)
        message(STATUS "FreeType ${FREETYPE_VERSION_STRING} differs from "
                       "${ORVANE_FREETYPE_VERSION}: building the pinned source")
        set(pin_freetype ON)
    endif()
endif()
add_library(orvane_freetype_use INTERFACE)
add_library(orvane::freetype ALIAS orvane_freetype_use)
if(pin_freetype)
    enable_language(C)
    orvane_pinned_source(freetype freetype-${ORVANE_FREETYPE_VERSION}.tar.gz
                         https://github.com/freetype/freetype.git
                         e8ebfe988b5f57bfb9a3ecb13c70d9791bce9ecf)
    # Only the TrueType font the program embeds is read: no compressed fonts, no shaping.
    foreach(feature ZLIB BZIP2 PNG HARFBUZZ BROTLI)
        set(FT_DISABLE_${feature} ON CACHE BOOL "" FORCE)
    endforeach()
    set(SKIP_INSTALL_ALL ON)
    set(BUILD_SHARED_LIBS OFF)
    add_subdirectory(${freetype_SOURCE_DIR} ${freetype_BINARY_DIR} EXCLUDE_FROM_ALL SYSTEM)
    orvane_third_party(freetype)
    target_link_libraries(orvane_freetype_use INTERFACE freetype)
    list(APPEND ORVANE_PINNED "FreeType ${ORVANE_FREETYPE_VERSION}")
else()
    target_link_libraries(orvane_freetype_use INTERFACE Freetype::Freetype)
endif()

# --- libspng: PNG reading (maps are written by the program's own encoder) ----------------------
add_library(orvane_spng_use INTERFACE)
add_library(orvane::spng ALIAS orvane_spng_use)
if(pin_all)
    enable_language(C)
    orvane_pinned_source(spng libspng-0.7.3.tar.gz https://github.com/randy408/libspng.git
                         bab9f94a1186f8fda234b4e1cb65e1b9a77049cc)
    add_library(orvane_spng STATIC ${spng_SOURCE_DIR}/spng/spng.c)
    orvane_third_party(orvane_spng)
    target_include_directories(orvane_spng PUBLIC ${spng_SOURCE_DIR}/spng)
    target_compile_definitions(orvane_spng PUBLIC SPNG_STATIC)
    target_link_libraries(orvane_spng PUBLIC ZLIB::ZLIB)
    target_link_libraries(orvane_spng_use INTERFACE orvane_spng)
    list(APPEND ORVANE_PINNED "libspng 0.7.3")
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET spng)
    target_link_libraries(orvane_spng_use INTERFACE PkgConfig::SPNG)
endif()

# --- FLTK: the window ---------------------------------------------------------------------
if(ORVANE_WINDOW)
    add_library(orvane_fltk_use INTERFACE)
    add_library(orvane::fltk ALIAS orvane_fltk_use)
    if(WIN32)
        enable_language(C)
        orvane_pinned_source(fltk fltk-1.3.8.tar.gz https://github.com/fltk/fltk.git
                             3600522ae7d2244b69552458e4d82f869a36067b)
        # The window draws with the system's GDI: no OpenGL, no Cairo, no image libraries of
        # the system (the preview is a raw picture), no demos.
        foreach(option OPTION_USE_GL OPTION_CAIRO OPTION_USE_SYSTEM_ZLIB OPTION_USE_SYSTEM_LIBJPEG
                       OPTION_USE_SYSTEM_LIBPNG OPTION_BUILD_SHARED_LIBS FLTK_BUILD_TEST
                       FLTK_BUILD_EXAMPLES OPTION_BUILD_HTML_DOCUMENTATION OPTION_USE_SVG)
            set(${option} OFF CACHE BOOL "" FORCE)
        endforeach()
        add_subdirectory(${fltk_SOURCE_DIR} ${fltk_BINARY_DIR} EXCLUDE_FROM_ALL SYSTEM)
        target_compile_options(fltk PRIVATE -w)
        target_include_directories(orvane_fltk_use SYSTEM INTERFACE ${fltk_SOURCE_DIR}
                                   ${fltk_BINARY_DIR})
        # FLTK's headers choose their Windows side by WIN32, which the compiler defines only
        # with GNU extensions, and those are off for our code.
        target_compile_definitions(orvane_fltk_use INTERFACE WIN32)
        target_link_libraries(orvane_fltk_use INTERFACE fltk)
        list(APPEND ORVANE_PINNED "FLTK 1.3.8")
    else()
        find_library(FLTK_LIB fltk REQUIRED)
        find_path(FLTK_INCLUDE FL/Fl.H REQUIRED)
        target_include_directories(orvane_fltk_use INTERFACE ${FLTK_INCLUDE})
        target_link_libraries(orvane_fltk_use INTERFACE ${FLTK_LIB} X11)
    endif()
endif()

# --- CLI11: header-only; Debian's headers serve any target ---------------------------------
if(CMAKE_CROSSCOMPILING AND WIN32)
    # The cross search root hides /usr/include, which must not reach a Windows build whole:
    # only CLI11's own folder is copied into the build.
    find_path(CLI11_HEADERS CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    file(COPY ${CLI11_HEADERS}/CLI DESTINATION ${CMAKE_BINARY_DIR}/cli11-include)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/cli11-include)
else()
    find_package(CLI11 REQUIRED)
endif()

if(ORVANE_PINNED)
    message(STATUS "Built from pinned sources: ${ORVANE_PINNED}")
endif()
