# Installs the build into a fresh prefix and looks for every file where the
# desktop expects it.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder> -P checkinstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/zenta
    share/applications/io.github.zenta.zenta.desktop
    share/metainfo/io.github.zenta.zenta.metainfo.xml)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/zenta.png)
endforeach()
foreach(path ${expected})
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# Each picture has the size of the folder it lies in (bytes 16 to 23 of a
# PNG hold its width and height).
foreach(size 16 32 48 64 128 256)
  file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/zenta.png head
       OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${head}" 0 8 width)
  string(SUBSTRING "${head}" 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "zenta.png in ${size}x${size} is ${width} x ${height} px")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
