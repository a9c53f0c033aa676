# Makes a manual page: the template TEMPLATE with @VERSION@ and, where it stands, @USAGE@ replaced
# by what `CLI --help` prints (so that the options are written down once, in the program),
# compressed into OUTPUT as Debian wants it. Run with cmake -P.
cmake_minimum_required(VERSION 3.25)
file(READ ${TEMPLATE} page)
if(page MATCHES "@USAGE@")
    execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE usage RESULT_VARIABLE failed
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(failed)
        message(FATAL_ERROR "${CLI} --help failed")
    endif()
    # Backslashes and lines that begin like a request are text, not roff.
    string(REPLACE "\\" "\\e" usage "${usage}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
    string(REPLACE "@USAGE@" "${usage}" page "${page}")
endif()
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
get_filename_component(name ${OUTPUT} NAME_WE)
get_filename_component(folder ${OUTPUT} DIRECTORY)
set(plain ${folder}/${name}.1)
file(WRITE ${plain} "${page}")
execute_process(COMMAND gzip -9 -n -f ${plain} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot compress ${plain}")
endif()
