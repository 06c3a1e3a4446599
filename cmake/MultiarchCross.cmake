# Shared part of the cross toolchain files: the compiler of ORVANE_TRIPLET, and the libraries of
# Debian's multiarch folder ORVANE_MULTIARCH (the triplet unless set). The libraries live in the
# host's own /usr/lib/<multiarch>, so a sysroot (CMAKE_FIND_ROOT_PATH) would miss some of them.
if(NOT ORVANE_MULTIARCH)
    set(ORVANE_MULTIARCH ${ORVANE_TRIPLET})
endif()
set(CMAKE_CXX_COMPILER ${ORVANE_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${ORVANE_MULTIARCH})
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/${ORVANE_MULTIARCH}/pkgconfig:/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
# Never link a library of the build machine by mistake.
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu)
