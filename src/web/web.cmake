# The folder that a static web server serves as it is: zenta.html with its
# manifest, icons and service worker, the program (zenta.js, zenta.wasm.gz),
# and IPAPGothic unmodified (gzip-compressed) with its licence; pack.cmake
# puts it together. ZENTA_WEB_DIR names it (default: web/ in the build).
set(ZENTA_WEB_DIR ${CMAKE_BINARY_DIR}/web CACHE PATH "Where the browser build's page goes")
set(ZENTA_FONT_DIR /usr/share/fonts/opentype/ipafont-gothic CACHE PATH "IPAPGothic's folder")
set(ZENTA_FONT_DOC /usr/share/doc/fonts-ipafont-gothic CACHE PATH "IPAPGothic's licence folder")

# Everything that links the library gets the page's side of it: the file
# system with IndexedDB, src/web/library.js and the screen reader's copy of
# the windows, src/web/mirror.js.
target_link_options(zentacore INTERFACE
  "-lidbfs.js" "SHELL:--js-library ${CMAKE_CURRENT_LIST_DIR}/library.js"
  "SHELL:--js-library ${CMAKE_CURRENT_LIST_DIR}/mirror.js")
set_property(TARGET zentacore APPEND PROPERTY INTERFACE_LINK_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/library.js ${CMAKE_CURRENT_LIST_DIR}/mirror.js)
# The copy turns on the accessibility of Qt's platform, which the browser's
# has no public call for.
target_link_libraries(zentacore PUBLIC Qt6::GuiPrivate)
# Modal windows and message boxes run nested event loops: asyncify lets them
# suspend the program while the browser goes on. The page uses the file
# system and the start-up hooks.
target_link_options(zenta PRIVATE
  "SHELL:-s ASYNCIFY"
  "SHELL:-s ASYNCIFY_IMPORTS=qt_asyncify_suspend_js,qt_asyncify_resume_js"
  "SHELL:-s EXPORTED_RUNTIME_METHODS=UTF16ToString,stringToUTF16,specialHTMLTargets,FS,addRunDependency,removeRunDependency"
  "SHELL:-s ASYNCIFY_STACK_SIZE=65536"
  "-Os")

# Each build, after the program: pack.cmake compresses only what is newer.
add_custom_target(page ALL
  COMMAND ${CMAKE_COMMAND} -DWEB_DIR=${ZENTA_WEB_DIR} -DPAGE_DIR=${CMAKE_CURRENT_LIST_DIR}
          -DPROGRAM_DIR=$<TARGET_FILE_DIR:zenta> -DICON_DIR=${CMAKE_SOURCE_DIR}/src/layouts/icons
          -DFONT_DIR=${ZENTA_FONT_DIR} -DFONT_DOC=${ZENTA_FONT_DOC}
          -P ${CMAKE_CURRENT_LIST_DIR}/pack.cmake
  COMMENT "Putting the page together in ${ZENTA_WEB_DIR}")
add_dependencies(page zenta)
