# The Windows program file as a player gets it: a 64-bit windowed program
# that needs no DLL but Windows' own, carrying its version information and a
# manifest that asks for no elevation.
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<zenta.exe> -P checkwindowsprogram.cmake
cmake_minimum_required(VERSION 3.25)
# objdump's words in English, whatever the locale (the Wine runs are Japanese).
set(ENV{LC_ALL} C)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} RESULT_VARIABLE result OUTPUT_VARIABLE headers)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump cannot read ${PROGRAM}")
endif()
foreach(text "file format pei-x86-64" "Subsystem		00000002	(Windows GUI)")
  string(FIND "${headers}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "not in the headers of ${PROGRAM}: ${text}")
  endif()
endforeach()

# Windows' own DLLs, as every Windows since 7 has them; a DLL of MinGW's
# runtime or of Qt would have to lie beside the program.
set(system_dlls advapi32 authz bcrypt comdlg32 crypt32 d2d1 d3d11 d3d9 dwmapi dwrite dxgi gdi32
    imm32 kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 rpcrt4 setupapi shcore shell32
    shlwapi user32 userenv uxtheme version winmm ws2_32 wtsapi32)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
  if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${PROGRAM} needs ${dll}.dll, which Windows does not have")
  endif()
endforeach()
list(LENGTH imports count)
message(STATUS "${count} DLLs imported, all Windows' own")

# The resources, read back from the program file.
string(REGEX REPLACE "objdump$" "windres" windres ${OBJDUMP})
execute_process(COMMAND ${windres} -i ${PROGRAM} -O rc RESULT_VARIABLE result
                OUTPUT_VARIABLE script ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the resources of ${PROGRAM} cannot be read:\n${errors}")
endif()
foreach(text [[BLOCK "041103a4"]] [["ProductVersion", "1.00"]] [["ProductName", "zenta"]]
        [["InternalName", "zenta"]] [["OriginalFilename", "zenta.exe"]] "1 14 /* RT_GROUP_ICON */"
        "1 24 /* RT_MANIFEST */" [[level=""asInvoker""]])
  string(FIND "${script}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "missing from the resources of ${PROGRAM}: ${text}")
  endif()
endforeach()
