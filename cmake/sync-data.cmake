cmake_minimum_required(VERSION 3.22)
# Copies the data folders into bin and removes what an earlier copy put there but data/ no
# longer holds. Only files listed by the earlier copy are removed: the program's own files in
# bin (settings, user folders, binaries) are never touched.
# Usage: cmake -DSRC=<data folder> -DDST=<bin folder> -P sync-data.cmake
set(_list "${DST}/.data-files")
file(GLOB_RECURSE _files RELATIVE "${SRC}" "${SRC}/*")
if(EXISTS "${_list}")
  file(STRINGS "${_list}" _old)
  foreach(f IN LISTS _old)
    if(NOT f IN_LIST _files AND EXISTS "${DST}/${f}")
      file(REMOVE "${DST}/${f}")
    endif()
  endforeach()
endif()
foreach(f IN LISTS _files)
  get_filename_component(_dir "${DST}/${f}" DIRECTORY)
  file(COPY "${SRC}/${f}" DESTINATION "${_dir}")
endforeach()
string(REPLACE ";" "\n" _text "${_files}")
file(WRITE "${_list}" "${_text}\n")
