# One warning set for every target of the project.
function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wnon-virtual-dtor -Werror=return-type)
endfunction()

# velmora_library(<folder> [SOURCES ...] [DEPS ...]): the static library velmora_<folder>.
# Without SOURCES it takes every .cpp file of the folder.
function(velmora_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT ARG_SOURCES)  # a folder still without code
    add_library(velmora_${folder} INTERFACE)
    target_include_directories(velmora_${folder} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(velmora_${folder} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(velmora_${folder} STATIC ${ARG_SOURCES})
  target_include_directories(velmora_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(velmora_${folder} PUBLIC ${ARG_DEPS})
  velmora_warnings(velmora_${folder})
endfunction()
