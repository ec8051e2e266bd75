# Puts the page's folder together (cmake -P, after each link of the
# program): the page, its manifest and icons, the program, and the font
# with its licence. The large files, the program's module and the font,
# go gzip-compressed (zenta.wasm.gz, fonts/ipagp.ttf.gz), since a plain
# static server sends every file as it is; the page restores them byte for
# byte. So does the program's script (zenta.js.gz), which the page runs from
# what it restores. Last, the service worker gets the list of files with their digests.
#   WEB_DIR      the folder
#   PAGE_DIR     src/web
#   PROGRAM_DIR  where zenta.js and zenta.wasm are built
#   ICON_DIR     the icon's pictures
#   FONT_DIR, FONT_DOC  IPAPGothic and its licence
# The folder zenta-log, empty, is the class's log's place on a school's
# server that lets the devices write it.
file(MAKE_DIRECTORY ${WEB_DIR}/fonts ${WEB_DIR}/icons ${WEB_DIR}/zenta-log)

function(copy from to)
  file(COPY_FILE ${from} ${WEB_DIR}/${to} ONLY_IF_DIFFERENT)
endfunction()

# pigz -11 writes gzip with zopfli's deflate, 3 to 4.5 % smaller than
# gzip -9 (three iterations where zopfli's default makes fifteen: 3 KB more
# for half the time); -n leaves out the name and the time: the same file,
# the same bytes, on any number of cores.
function(compress from to)
  if(NOT EXISTS ${WEB_DIR}/${to} OR ${from} IS_NEWER_THAN ${WEB_DIR}/${to})
    execute_process(COMMAND pigz -11 -I 3 -n -c ${from} OUTPUT_FILE ${WEB_DIR}/${to}.part
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "pigz ${from}: ${failed}")
    endif()
    file(RENAME ${WEB_DIR}/${to}.part ${WEB_DIR}/${to})
  endif()
endfunction()

copy(${PAGE_DIR}/zenta.html zenta.html)
copy(${PAGE_DIR}/zenta.webmanifest zenta.webmanifest)
compress(${PROGRAM_DIR}/zenta.js zenta.js.gz)
compress(${PROGRAM_DIR}/zenta.wasm zenta.wasm.gz)
foreach(size 192 512)
  copy(${ICON_DIR}/zenta-${size}.png icons/zenta-${size}.png)
endforeach()
compress(${FONT_DIR}/ipagp.ttf fonts/ipagp.ttf.gz)
copy(${FONT_DOC}/copyright fonts/copyright)
copy(${FONT_DOC}/Readme_IPAfont00303.txt fonts/Readme_IPAfont00303.txt)
# Left by builds that put the files there as they are.
file(REMOVE ${WEB_DIR}/zenta.js ${WEB_DIR}/zenta.wasm ${WEB_DIR}/fonts/ipagp.ttf)

# What the page runs from; the font's licence stays beside it on the server
# for whoever reads it, not in every device's cache.
set(ZENTA_FILES "")
foreach(path zenta.html zenta.webmanifest zenta.js.gz zenta.wasm.gz icons/zenta-192.png
             icons/zenta-512.png fonts/ipagp.ttf.gz)
  file(SHA256 ${WEB_DIR}/${path} digest)
  string(APPEND ZENTA_FILES "\n  [\"${path}\", \"${digest}\"],")
endforeach()
set(ZENTA_FILES "[${ZENTA_FILES}\n]")
string(SHA256 ZENTA_VERSION "${ZENTA_FILES}")
string(SUBSTRING ${ZENTA_VERSION} 0 16 ZENTA_VERSION)
configure_file(${PAGE_DIR}/sw.js ${WEB_DIR}/sw.js @ONLY)
