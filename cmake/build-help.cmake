# Compiles the help file from help/ (cmake -P): SRC help sources, WORK scratch folder,
# OUT the .chm to write, CHMCMD the compiler.
# A page names a screenshot as <!-- screenshot: file.png "alt text" -->; it becomes a picture
# only when help/images/file.png exists, so pages never point at a missing image.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB _files ${SRC}/*.hhp ${SRC}/*.hhc ${SRC}/*.hhk ${SRC}/*.css)
file(COPY ${_files} DESTINATION ${WORK})
if(EXISTS ${SRC}/images)
  file(COPY ${SRC}/images DESTINATION ${WORK})
endif()
file(GLOB _pages ${SRC}/*.html)
foreach(_page ${_pages})
  file(READ ${_page} _text)
  string(REGEX MATCHALL "<!-- screenshot: [^ ]+ \"[^\"]*\" -->" _shots "${_text}")
  foreach(_shot ${_shots})
    string(REGEX REPLACE "<!-- screenshot: ([^ ]+) \"([^\"]*)\" -->" "\\1" _name "${_shot}")
    string(REGEX REPLACE "<!-- screenshot: ([^ ]+) \"([^\"]*)\" -->" "\\2" _alt "${_shot}")
    if(EXISTS ${SRC}/images/${_name})
      string(REPLACE "${_shot}" "<p><img class=\"shot\" src=\"images/${_name}\" alt=\"${_alt}\"></p>"
             _text "${_text}")
    endif()
  endforeach()
  get_filename_component(_fname ${_page} NAME)
  file(WRITE ${WORK}/${_fname} "${_text}")
endforeach()
execute_process(COMMAND ${CHMCMD} --verbosity 1 Fingerwaltz.hhp WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
if(NOT _rc EQUAL 0 OR NOT EXISTS ${WORK}/Fingerwaltz.chm)
  message(FATAL_ERROR "chmcmd failed (${_rc}):\n${_out}")
endif()
file(COPY_FILE ${WORK}/Fingerwaltz.chm ${OUT})
