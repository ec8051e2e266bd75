# The folder that a static web server serves as it is: zenta.html, the
# program (zenta.js, zenta.wasm), and IPAPGothic unmodified with its
# licence. ZENTA_WEB_DIR names it (default: web/ in the build).
set(ZENTA_WEB_DIR ${CMAKE_BINARY_DIR}/web CACHE PATH "Where the browser build's page goes")
set(ZENTA_FONT_DIR /usr/share/fonts/opentype/ipafont-gothic CACHE PATH "IPAPGothic's folder")
set(ZENTA_FONT_DOC /usr/share/doc/fonts-ipafont-gothic CACHE PATH "IPAPGothic's licence folder")

# Everything that links the library gets the page's side of it: the file
# system with IndexedDB and src/web/library.js.
target_link_options(zentacore INTERFACE
  "-lidbfs.js" "SHELL:--js-library ${CMAKE_CURRENT_LIST_DIR}/library.js")
set_property(TARGET zentacore APPEND PROPERTY INTERFACE_LINK_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/library.js)
# Modal windows and message boxes run nested event loops: asyncify lets them
# suspend the program while the browser goes on. The page uses the file
# system and the start-up hooks.
target_link_options(zenta PRIVATE
  "SHELL:-s ASYNCIFY"
  "SHELL:-s ASYNCIFY_IMPORTS=qt_asyncify_suspend_js,qt_asyncify_resume_js"
  "SHELL:-s EXPORTED_RUNTIME_METHODS=UTF16ToString,stringToUTF16,specialHTMLTargets,FS,addRunDependency,removeRunDependency"
  "SHELL:-s ASYNCIFY_STACK_SIZE=65536"
  "-Os")

add_custom_command(TARGET zenta POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZENTA_WEB_DIR}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          $<TARGET_FILE_DIR:zenta>/zenta.js $<TARGET_FILE_DIR:zenta>/zenta.wasm
          ${CMAKE_CURRENT_LIST_DIR}/zenta.html ${ZENTA_WEB_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZENTA_FONT_DIR}/ipagp.ttf
          ${ZENTA_FONT_DOC}/copyright ${ZENTA_FONT_DOC}/Readme_IPAfont00303.txt
          ${ZENTA_WEB_DIR}/fonts
  COMMENT "Putting the page together in ${ZENTA_WEB_DIR}")
