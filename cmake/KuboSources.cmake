# Source discovery shared by the targets: every .cpp/.h under a folder belongs to its target,
# so adding a file never needs a CMakeLists edit.
function(kubo_collect_sources out_var)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
             "${dir}/*.cpp" "${dir}/*.h")
        list(APPEND files ${found})
    endforeach()
    set(${out_var} ${files} PARENT_SCOPE)
endfunction()

# The core is pure C++: configuration stops when one of its files includes a Qt header.
function(kubo_forbid_qt_includes)
    foreach(file IN LISTS ARGN)
        file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q[A-Za-z]+")
        if(hits)
            message(FATAL_ERROR "${file} includes a Qt header; src/core must stay free of Qt:\n${hits}")
        endif()
    endforeach()
endfunction()

# The layers of the core: configuration stops when one of the files includes a header from a
# folder its layer may not use (include paths are written from src/core: "shell/MainDoc.h").
function(kubo_forbid_core_includes forbidden_dirs)
    list(JOIN forbidden_dirs "|" alternatives)
    foreach(file IN LISTS ARGN)
        file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${alternatives})/")
        if(hits)
            message(FATAL_ERROR "${file} includes from ${forbidden_dirs}, which its layer may not use:\n${hits}")
        endif()
    endforeach()
endfunction()
