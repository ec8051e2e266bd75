# Compiles the Windows resource script as a Windows build would, reads the
# compiled resources back, and looks for the icon's three pictures, the
# version information and a manifest that asks for no elevation.
#   cmake -DWINDRES=<windres> -DRC=<zenta.rc> -DOUT=<file.res> -P checkresource.cmake
if(NOT WINDRES)
  message(FATAL_ERROR "no windres (Debian package binutils-mingw-w64-i686)")
endif()
execute_process(COMMAND ${WINDRES} --preprocessor=cpp ${RC} -O res -o ${OUT}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the resource script does not compile:\n${errors}")
endif()
execute_process(COMMAND ${WINDRES} -i ${OUT} -O rc
                RESULT_VARIABLE result OUTPUT_VARIABLE script)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the compiled resources cannot be read back")
endif()

set(wanted
    "Has 3 elements"
    [["\040\040\002\000", 1, 1,]]        # 32 x 32, 2 colours
    [["\040\040\020\000", 1, 4,]]        # 32 x 32, 16 colours
    [["\020\020\020\000", 1, 4,]]        # 16 x 16, 16 colours
    "FILEVERSION 1, 0, 0, 0"
    "PRODUCTVERSION 1, 0, 0, 0"
    [[BLOCK "041103a4"]]
    [["FileVersion", "1.00"]]
    [["ProductVersion", "1.00"]]
    [["ProductName", "zenta"]]
    [["InternalName", "zenta"]]
    [["Translation", 0x411, 932]]
    "1 24 /* RT_MANIFEST */"
    [[level=""asInvoker""]])
foreach(text IN LISTS wanted)
  string(FIND "${script}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "missing from the compiled resources: ${text}\n${script}")
  endif()
endforeach()
# Every resource is filed under Japanese (17, 1), none under another language.
string(REGEX MATCHALL "LANGUAGE [0-9]+, [0-9]+" languages "${script}")
list(REMOVE_DUPLICATES languages)
if(NOT languages STREQUAL "LANGUAGE 17, 1")
  message(FATAL_ERROR "resource languages: ${languages}")
endif()
